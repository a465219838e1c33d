#include "ui/text_box.h"

#include <QLineEdit>

#include "ui/colors.h"
#include "ui/fonts.h"

namespace ui {

namespace {
// One line of whole characters: a paste can carry line breaks, and a paste cut at the most
// characters the box holds can keep half of a character outside the Basic Multilingual Plane.
QString oneLine(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    for (qsizetype i = 0; i < text.size();) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) i += 2;
        else if (text[i].isSurrogate()) text.remove(i, 1);
        else ++i;
    }
    return text;
}

// Cut to the box's length without splitting a character
QString fitted(const QString& text, int maxLength)
{
    QString fit = oneLine(text);
    if (fit.size() <= maxLength) return fit;
    fit.truncate(maxLength);
    if (fit.back().isHighSurrogate()) fit.chop(1);
    return fit;
}
}  // namespace

TextBox::TextBox(QWidget* parent, double twipsPerUnit)
    : Control(new QLineEdit(parent), Layer::Windowed, twipsPerUnit),
      edit_(static_cast<QLineEdit*>(widget())),
      fore_(colors::windowText),
      back_(colors::window)
{
    setFont({});
    QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this](const QString& text) {
        const QString line = oneLine(text);
        if (line != text) {
            const int cursor = edit_->cursorPosition();
            edit_->setText(line);
            edit_->setCursorPosition(qMin(cursor, int(edit_->text().size())));
        }
    });
    restyle();
}

QString TextBox::Text() const { return edit_->text(); }

void TextBox::setText(const QString& text)
{
    edit_->setText(fitted(text, edit_->maxLength()));
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
