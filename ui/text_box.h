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
    TextBox& tab(int index) { tab_ = index; return *this; }

    QLineEdit* lineEdit() const { return edit_; }

private:
    class LengthLimit;
    void restyle();

    QLineEdit* edit_;
    LengthLimit* limit_;  // owned by the line edit
    QColor fore_, back_;
};

}  // namespace ui
