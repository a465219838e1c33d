#include "ui/form.h"

#include "ui/design.h"
#include "ui/refs.h"
#include "ui/top_window.h"
#include "ui/window.h"

namespace ui {

Form::~Form() { delete window_; }

void Form::load()
{
    if (window_) return;
    window_ = new Window(this, stage_);
    Design design(*this, *window_);
    this->design(design);
    design.finish();
    Form_Load();
}

void Form::show()
{
    load();
    TopWindow& game = stage_.display.window();
    game.showScreen(window_);
    game.raise();
    game.activateWindow();
    window_->focusFirstControl();
}

void Form::hide()
{
    if (window_) stage_.display.window().hideScreen(window_);
}

void Form::unload()
{
    if (!window_) return;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel || !window_) return;
    Window* window = window_;
    window_ = nullptr;
    for (RefBase* ref : refs_) ref->unbind();
    window->retire();
}

bool Form::isShown() const { return window_ && stage_.display.window().isShown(window_); }

QString Form::Caption() { return window()->windowTitle(); }
void Form::setCaption(const QString& caption) { window()->setWindowTitle(caption); }

void Form::setPicture(const QImage& picture)
{
    Window* w = static_cast<Window*>(window());
    w->picture = picture;
    w->update();
}

void Form::loadBackground(const QString& fileName) { setPicture(stage_.pictures.loadOrWarn(fileName)); }

const QImage& Form::Picture() { return static_cast<Window*>(window())->picture; }

QWidget* Form::window()
{
    load();
    return window_;
}

void Form::keyDown(int keyCode, int shift)
{
    if (!window_) return;
    Form_KeyDown(keyCode, shift);
}

void Form::adoptControl(std::unique_ptr<Control> control)
{
    load();
    window_->adopt(std::move(control));
}

}  // namespace ui
