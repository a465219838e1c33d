#include "ui/buttons.h"

#include <QCheckBox>
#include <QPushButton>

#include "ui/colors.h"

namespace ui {

namespace {
void paintBackground(QWidget* widget, QPalette::ColorRole role, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}
}  // namespace

CheckBox::CheckBox(QWidget* parent, double twipsPerUnit, const QString& caption)
    : Control(new QCheckBox(caption, parent), Layer::Windowed, twipsPerUnit),
      box_(static_cast<QAbstractButton*>(widget()))
{
    box_->setFont(makeFont({}));
    QObject::connect(box_, &QAbstractButton::clicked, box_, [this] { raiseEvent(); });
}

int CheckBox::Value() const { return box_->isChecked() ? 1 : 0; }
void CheckBox::click() { box_->click(); }

CheckBox& CheckBox::back(const QColor& color)
{
    paintBackground(box_, QPalette::Window, color);
    return *this;
}

CommandButton::CommandButton(QWidget* parent, double twipsPerUnit, const QString& caption)
    : Control(new QPushButton(caption, parent), Layer::Windowed, twipsPerUnit),
      button_(static_cast<QAbstractButton*>(widget()))
{
    button_->setFont(makeFont({}));
    QObject::connect(button_, &QAbstractButton::clicked, button_, [this] { raiseEvent(); });
}

QString CommandButton::Caption() const { return button_->text(); }
void CommandButton::click() { button_->click(); }

CommandButton& CommandButton::red()
{
    paintBackground(button_, QPalette::Button, colors::red);
    return *this;
}

}  // namespace ui
