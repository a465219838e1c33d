#include "ui/design.h"

#include <QIcon>

#include "ui/window.h"

namespace ui {

Design::Design(Form& form, Window& window) : form_(form), window_(window) {}

QWidget* Design::windowWidget() const { return &window_; }

Design& Design::screen(const QString& caption, int widthTwips, int heightTwips, Scale scale)
{
    form_.scale_ = scale;
    window_.setWindowTitle(caption);
    window_.setDesignedSize(QSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips)));
    return *this;
}

Design& Design::back(const QColor& color)
{
    window_.back = color;
    return *this;
}

Design& Design::icon(const QString& file)
{
    window_.setWindowIcon(QIcon(file));
    return *this;
}

Design& Design::centred()
{
    window_.centred = true;
    return *this;
}

Label& Design::label(Slot<Label> slot, const QString& caption, int left, int top, int width, int height)
{
    Label& made = control(slot, left, top, width, height);
    made.setCaption(caption);
    return made;
}

TextBox& Design::textBox(Slot<TextBox> slot, const QString& text, int left, int top, int width, int height)
{
    TextBox& made = control(slot, left, top, width, height);
    made.setText(text);
    return made;
}

CheckBox& Design::checkBox(Slot<CheckBox> slot, const QString& caption, int left, int top, int width, int height)
{
    return control(slot, left, top, width, height, caption);
}

CommandButton& Design::button(Slot<CommandButton> slot, const QString& caption, int left, int top, int width,
                              int height)
{
    return control(slot, left, top, width, height, caption);
}

PictureBox& Design::pictureBox(Slot<PictureBox> slot, int left, int top, int width, int height)
{
    return control(slot, left, top, width, height);
}

Shape& Design::shape(Slot<Shape> slot, Shape::Kind kind, int left, int top, int width, int height)
{
    return control(slot, left, top, width, height, kind);
}

Line& Design::line(Slot<Line> slot, QPoint from, QPoint to)
{
    auto line = std::make_unique<Line>(&window_, twipsPerUnit(form_.scale()));
    line->setEnds(from, to);
    Line& made = form_.adopt(std::move(line));
    slot.bind(&made);
    return made;
}

Timer& Design::timer(Slot<Timer> slot, int, int, int intervalMs)
{
    Timer& made = form_.adopt(std::make_unique<Timer>(intervalMs, form_.stage()));
    slot.bind(&made);
    return made;
}

PictureClip& Design::pictureClip(Slot<PictureClip> slot, int, int)
{
    PictureClip& made = form_.adopt(std::make_unique<PictureClip>());
    slot.bind(&made);
    return made;
}

void Design::finish()
{
    window_.restack();
    window_.applyTabOrder();
}

}  // namespace ui
