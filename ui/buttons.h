#pragma once
// Check boxes and command buttons. Both raise their event on a click, a check box after its value
// has toggled. A button given a colour shows it on its face.
#include <QColor>
#include <QString>

#include "ui/control.h"

class QAbstractButton;
class QWidget;

namespace ui {

class CheckBox : public Control {
public:
    CheckBox(QWidget* parent, double twipsPerUnit, const QString& caption);

    int Value() const;  // 0 unchecked, 1 checked
    void click();       // as a user's click: toggles, then raises Click

    CheckBox& back(const QColor&);

private:
    QAbstractButton* box_;
};

class CommandButton : public Control {
public:
    CommandButton(QWidget* parent, double twipsPerUnit, const QString& caption);

    QString Caption() const;
    void click();

    CommandButton& red();

private:
    QAbstractButton* button_;
};

}  // namespace ui
