#include "ui/design.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

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

Design& Design::programIcon()
{
    window_.setWindowIcon(QIcon(QStringLiteral(":/assets/tapdash.ico")));
    return *this;
}

Design& Design::centred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), window_.size());
        frame.moveCenter(screen->availableGeometry().center());
        window_.move(frame.topLeft());
    }
    return *this;
}

Label& Design::label(Ref<Label>& ref, const QString& caption, int left, int top, int width, int height)
{
    Label& made = control(ref, left, top, width, height);
    made.setCaption(caption);
    return made;
}

Label& Design::label(Array<Label>& array, int index, const QString& caption, int left, int top, int width, int height)
{
    Label& made = make<Label>(left, top, width, height);
    made.setCaption(caption);
    array.bind(index, &made);
    return made;
}

TextBox& Design::textBox(Ref<TextBox>& ref, const QString& text, int left, int top, int width, int height)
{
    TextBox& made = control(ref, left, top, width, height);
    made.setText(text);
    return made;
}

CheckBox& Design::checkBox(Ref<CheckBox>& ref, const QString& caption, int left, int top, int width, int height)
{
    return control(ref, left, top, width, height, caption);
}

CommandButton& Design::button(Ref<CommandButton>& ref, const QString& caption, int left, int top, int width,
                              int height)
{
    return control(ref, left, top, width, height, caption);
}

CommandButton& Design::button(Array<CommandButton>& array, int index, const QString& caption, int left, int top,
                              int width, int height)
{
    CommandButton& made = make<CommandButton>(left, top, width, height, caption);
    array.bind(index, &made);
    return made;
}

PictureBox& Design::pictureBox(Ref<PictureBox>& ref, int left, int top, int width, int height)
{
    return control(ref, left, top, width, height);
}

PictureBox& Design::pictureBox(Array<PictureBox>& array, int index, int left, int top, int width, int height)
{
    PictureBox& made = make<PictureBox>(left, top, width, height);
    array.bind(index, &made);
    return made;
}

Shape& Design::shape(Ref<Shape>& ref, Shape::Kind kind, int left, int top, int width, int height)
{
    return control(ref, left, top, width, height, kind);
}

Shape& Design::shape(Array<Shape>& array, int index, Shape::Kind kind, int left, int top, int width, int height)
{
    Shape& made = make<Shape>(left, top, width, height, kind);
    array.bind(index, &made);
    return made;
}

Line& Design::line(Ref<Line>& ref, QPoint from, QPoint to)
{
    auto line = std::make_unique<Line>(&window_, twipsPerUnit(form_.scale()));
    line->setEnds(from, to);
    Line& made = form_.adopt(std::move(line));
    ref.bind(&made);
    return made;
}

Timer& Design::timer(Ref<Timer>& ref, int, int, int intervalMs)
{
    Timer& made = form_.adopt(std::make_unique<Timer>(intervalMs));
    ref.bind(&made);
    return made;
}

PictureClip& Design::pictureClip(Array<PictureClip>& array, int index, int, int)
{
    PictureClip& made = form_.adopt(std::make_unique<PictureClip>());
    array.bind(index, &made);
    return made;
}

void Design::finish()
{
    window_.restack();
    window_.applyTabOrder();
}

}  // namespace ui
