#include "ui/text_box.h"

#include <QLineEdit>
#include <QTextBoundaryFinder>
#include <QValidator>

#include "ui/colors.h"

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

// Characters as a person counts them: grapheme clusters, so an emoji or a letter with its
// combining accent is one character
qsizetype characterCount(const QString& text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1) ++count;
    return count;
}

}  // namespace

QString TextBox::fitted(const QString& text, int maxLength)
{
    QString fit = oneLine(text);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, fit);
    for (int kept = 0; kept < maxLength; ++kept)
        if (finder.toNextBoundary() == -1) return fit;
    fit.truncate(finder.position());
    return fit;
}

// Holds the box to its length in characters: of what was typed or pasted, which ends at the
// cursor, the characters that do not fit are dropped.
class TextBox::LengthLimit : public QValidator {
public:
    using QValidator::QValidator;
    int maxLength = 32767;

    State validate(QString& input, int& pos) const override
    {
        const qsizetype excess = characterCount(input) - maxLength;
        if (excess <= 0) return Acceptable;
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, input);
        finder.setPosition(pos);
        for (qsizetype dropped = 0; dropped < excess && finder.toPreviousBoundary() > 0;) ++dropped;
        const int start = int(qMax<qsizetype>(finder.position(), 0));
        input.remove(start, pos - start);
        pos = start;
        return characterCount(input) <= maxLength ? Acceptable : Invalid;
    }
};

TextBox::TextBox(QWidget* parent, double twipsPerUnit)
    : Control(new QLineEdit(parent), Layer::Windowed, twipsPerUnit),
      edit_(static_cast<QLineEdit*>(widget())),
      limit_(new LengthLimit(edit_)),
      fore_(colors::windowText),
      back_(colors::window)
{
    edit_->setValidator(limit_);
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
    edit_->setText(fitted(text, limit_->maxLength));
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
    limit_->maxLength = characters;
    return *this;
}

void TextBox::restyle()
{
    setColors(QPalette::Text, fore_, QPalette::Base, back_);
}

}  // namespace ui
