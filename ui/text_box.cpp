#include "ui/text_box.h"

#include <QLineEdit>

#include "ui/colors.h"
#include "ui/fonts.h"

namespace ui {

namespace {
QString withoutLineBreaks(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}
}  // namespace

TextBox::TextBox(QWidget* parent, double twipsPerUnit)
    : Control(new QLineEdit(parent), Layer::Windowed, twipsPerUnit),
      edit_(static_cast<QLineEdit*>(widget())),
      fore_(colors::windowText),
      back_(colors::window)
{
    edit_->setFont(makeFont({}));
    // A paste can carry line breaks; a name must stay one line.
    QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this](const QString& text) {
        if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
            const int cursor = edit_->cursorPosition();
            edit_->setText(withoutLineBreaks(text));
            edit_->setCursorPosition(qMin(cursor, int(edit_->text().size())));
        }
    });
    restyle();
}

QString TextBox::Text() const { return edit_->text(); }

void TextBox::setText(const QString& text)
{
    edit_->setText(withoutLineBreaks(text).left(edit_->maxLength()));
    edit_->setCursorPosition(0);  // a text wider than its box shows its beginning
}

void TextBox::setBackColor(const QColor& color)
{
    back_ = color;
    restyle();
}

TextBox& TextBox::fore(const QColor& color)
{
    fore_ = color;
    restyle();
    return *this;
}

TextBox& TextBox::maxLength(int characters)
{
    edit_->setMaxLength(characters);
    return *this;
}

void TextBox::restyle()
{
    QPalette palette = edit_->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Text, fore_);
        palette.setColor(group, QPalette::Base, back_);
    }
    edit_->setPalette(palette);
}

}  // namespace ui
