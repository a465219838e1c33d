#include "ui/buttons.h"

#include <QCheckBox>
#include <QPalette>
#include <QPushButton>

namespace ui {

CheckBox::CheckBox(QWidget* parent, double twipsPerUnit, const QString& caption)
    : Control(new QCheckBox(caption, parent), Layer::Windowed, twipsPerUnit),
      box_(static_cast<QAbstractButton*>(widget()))
{
    QObject::connect(box_, &QAbstractButton::clicked, box_, [this] { raiseEvent(); });
}

int CheckBox::Value() const { return box_->isChecked() ? 1 : 0; }
void CheckBox::click() { box_->click(); }

CheckBox& CheckBox::back(const QColor& color)
{
    // A button fills its background from the button colour, which styles take from the desktop.
    QPalette palette = box_->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(box_->backgroundRole(), color);
    box_->setPalette(palette);
    box_->setAutoFillBackground(true);
    return *this;
}

CommandButton::CommandButton(QWidget* parent, double twipsPerUnit, const QString& caption)
    : Control(new QPushButton(caption, parent), Layer::Windowed, twipsPerUnit),
      button_(static_cast<QAbstractButton*>(widget()))
{
    QObject::connect(button_, &QAbstractButton::clicked, button_, [this] { raiseEvent(); });
}

QString CommandButton::Caption() const { return button_->text(); }
void CommandButton::click() { button_->click(); }

CommandButton& CommandButton::red()
{
    // A style sheet, because styles shade a palette's button colour; the face must be pure red.
    button_->setStyleSheet(QStringLiteral(
        "QPushButton { background-color: #FF0000; color: black; border: 2px outset #FF7070; }"
        "QPushButton:pressed { border-style: inset; }"
        "QPushButton:focus { outline: 1px dotted black; }"));
    return *this;
}

}  // namespace ui
