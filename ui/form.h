#pragma once
// A screen: one instance each, built from its design on load, with the lifecycle load (create,
// run Form_Load, stay hidden), show (modeless, loading first), hide and unload (run Form_Unload,
// then destroy the window and every control). The screen object itself, and with it the screen's
// own variables, outlives every unload. A screen may unload itself from inside one of its own
// handlers: its window is destroyed only once control is back in the event loop.
#include <memory>
#include <vector>

#include <QColor>
#include <QImage>
#include <QString>

#include "ui/control.h"
#include "ui/stage.h"
#include "ui/units.h"

class QWidget;

namespace ui {

class Design;
class RefBase;
class Window;

class Form {
public:
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    void load();
    void show();
    void hide();
    void unload();
    bool isLoaded() const { return window_ != nullptr; }
    bool isShown() const;

    QString Caption();
    void setCaption(const QString&);
    // The background picture, drawn from the top-left corner at its natural size
    void setPicture(const QImage&);
    // Loads the background from a picture file; a missing or bad file leaves the screen's colour
    void loadBackground(const QString& fileName);
    const QImage& Picture();

    // The screen's window, loading the screen first
    QWidget* window();
    Scale scale() const { return scale_; }
    Stage& stage() const { return stage_; }

    // The screen's key event, as a key-down on the screen delivers it
    void keyDown(int keyCode, int shift);
    // What the title bar's close button does
    void closeButton() { onCloseButton(); }

    // Used by the design and by control references
    void registerRef(RefBase* ref) { refs_.push_back(ref); }
    template <class T>
    T& adopt(std::unique_ptr<T> control)
    {
        T& adopted = *control;
        adoptControl(std::move(control));
        return adopted;
    }

protected:
    explicit Form(Stage& stage) : stage_(stage) {}

    virtual void design(Design&) = 0;
    virtual void Form_Load() {}
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }
    virtual void Form_KeyDown(int& KeyCode, int Shift) { (void)KeyCode, (void)Shift; }
    virtual void onCloseButton() { unload(); }

private:
    friend class Design;
    void adoptControl(std::unique_ptr<Control>);

    Stage& stage_;
    Window* window_ = nullptr;
    std::vector<RefBase*> refs_;
    Scale scale_ = Scale::Twips;
};

}  // namespace ui
