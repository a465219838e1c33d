#pragma once
// A one-line text box. A disabled box cannot be focused or edited but keeps showing its own
// colours, and no text it holds ever contains a line break or half a character.
#include <QColor>
#include <QString>

#include "ui/control.h"

class QLineEdit;
class QWidget;

namespace ui {

class TextBox : public Control {
public:
    TextBox(QWidget* parent, double twipsPerUnit);

    QString Text() const;
    void setText(const QString&);
    QColor BackColor() const { return back_; }
    void setBackColor(const QColor&);

    // Design properties
    TextBox& fore(const QColor&);
    TextBox& back(const QColor& color) { setBackColor(color); return *this; }
    // Characters as a person counts them (grapheme clusters: an emoji is one)
    TextBox& maxLength(int characters);
    TextBox& disabled() { setEnabled(false); return *this; }

    QLineEdit* lineEdit() const { return edit_; }

    // What a box of this length holds when given the text: one line, cut without splitting a character
    static QString fitted(const QString& text, int maxLength);

private:
    class LengthLimit;
    void restyle();

    QLineEdit* edit_;
    LengthLimit* limit_;  // owned by the line edit
    QColor fore_, back_;
};

}  // namespace ui
