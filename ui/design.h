#pragma once
// Builds a screen from its design, one call per control in stored order, each with its designed
// position and size in twips. Properties follow on the same line, chained. A control goes into
// a Ref or, written array[index], into an element of a control array.
#include <memory>
#include <type_traits>
#include <utility>

#include <QColor>
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
    Design& back(const QColor&);        // the screen's colour
    Design& icon(const QString& file);  // the title bar's icon
    Design& centred();                  // the game's window opens centred on the desktop

    Label& label(Slot<Label>, const QString& caption, int left, int top, int width, int height);
    TextBox& textBox(Slot<TextBox>, const QString& text, int left, int top, int width, int height);
    CheckBox& checkBox(Slot<CheckBox>, const QString& caption, int left, int top, int width, int height);
    CommandButton& button(Slot<CommandButton>, const QString& caption, int left, int top, int width, int height);
    PictureBox& pictureBox(Slot<PictureBox>, int left, int top, int width, int height);
    Shape& shape(Slot<Shape>, Shape::Kind, int left, int top, int width, int height);
    Line& line(Slot<Line>, QPoint from, QPoint to);
    // Timers and picture clips are never seen: their designed position only names the line.
    Timer& timer(Slot<Timer>, int left, int top, int intervalMs);
    PictureClip& pictureClip(Slot<PictureClip>, int left, int top);

    // Any kind constructed as T(QWidget* parent, double twipsPerUnit, args...), into a Ref or Slot of T
    template <class Into, class... Args>
    auto& control(Into&& into, int left, int top, int width, int height, Args&&... args)
    {
        using T = typename std::remove_cvref_t<Into>::Kind;
        T& made = make<T>(left, top, width, height, std::forward<Args>(args)...);
        Slot<T>(into).bind(&made);
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
