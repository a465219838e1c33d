#pragma once
// Builds a screen from its design, one call per control in stored order, each with its designed
// position and size in twips. Properties follow on the same line, chained.
#include <memory>
#include <utility>

#include <QPoint>
#include <QString>

#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/picture_box.h"
#include "ui/picture_clip.h"
#include "ui/refs.h"
#include "ui/shapes.h"
#include "ui/text_box.h"
#include "ui/timer.h"

namespace ui {

class Window;

class Design {
public:
    Design(Form&, Window&);

    // The screen's own line: caption, client size in twips and scale unit
    Design& screen(const QString& caption, int widthTwips, int heightTwips, Scale = Scale::Twips);
    Design& programIcon();
    Design& centred();  // opens centred on the desktop

    Label& label(Ref<Label>&, const QString& caption, int left, int top, int width, int height);
    Label& label(Array<Label>&, int index, const QString& caption, int left, int top, int width, int height);
    TextBox& textBox(Ref<TextBox>&, const QString& text, int left, int top, int width, int height);
    CheckBox& checkBox(Ref<CheckBox>&, const QString& caption, int left, int top, int width, int height);
    CommandButton& button(Ref<CommandButton>&, const QString& caption, int left, int top, int width, int height);
    CommandButton& button(Array<CommandButton>&, int index, const QString& caption, int left, int top, int width,
                          int height);
    PictureBox& pictureBox(Ref<PictureBox>&, int left, int top, int width, int height);
    PictureBox& pictureBox(Array<PictureBox>&, int index, int left, int top, int width, int height);
    Shape& shape(Ref<Shape>&, Shape::Kind, int left, int top, int width, int height);
    Shape& shape(Array<Shape>&, int index, Shape::Kind, int left, int top, int width, int height);
    Line& line(Ref<Line>&, QPoint from, QPoint to);
    // Timers and picture clips are never seen: their designed position only names the line.
    Timer& timer(Ref<Timer>&, int left, int top, int intervalMs);
    PictureClip& pictureClip(Array<PictureClip>&, int index, int left, int top);

    // Any other kind constructed as T(QWidget* parent, double twipsPerUnit, args...)
    template <class T, class... Args>
    T& control(Ref<T>& ref, int left, int top, int width, int height, Args&&... args)
    {
        T& made = make<T>(left, top, width, height, std::forward<Args>(args)...);
        ref.bind(&made);
        return made;
    }

    // Stacking and focus order, once every control is made
    void finish();

private:
    template <class T, class... Args>
    T& make(int left, int top, int width, int height, Args&&... args)
    {
        auto control = std::make_unique<T>(windowWidget(), twipsPerUnit(form_.scale()), std::forward<Args>(args)...);
        control->setDesignedRect(left, top, width, height);
        return form_.adopt(std::move(control));
    }
    QWidget* windowWidget() const;

    Form& form_;
    Window& window_;
};

}  // namespace ui
