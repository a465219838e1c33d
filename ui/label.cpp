#include "ui/label.h"

#include <QLabel>

#include "ui/colors.h"
#include "ui/zoom.h"

namespace ui {

Label::Label(QWidget* parent, double twipsPerUnit)
    : Control(new QLabel(parent), Layer::Surface, twipsPerUnit),
      label_(static_cast<QLabel*>(widget())),
      twipsPerUnit_(twipsPerUnit),
      fore_(colors::windowText),
      back_(colors::buttonFace)
{
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->setFocusPolicy(Qt::NoFocus);
    label_->setTextFormat(Qt::PlainText);
    restyle();
}

void Label::setCaption(const QString& caption)
{
    caption_ = caption;
    label_->setText(caption);
    place();
}

Label& Label::font(const FontSpec& spec) { setFont(spec); return *this; }
Label& Label::fore(const QColor& color) { fore_ = color; restyle(); return *this; }
Label& Label::back(const QColor& color) { back_ = color; opaque_ = true; restyle(); return *this; }
Label& Label::align(Align align) { align_ = align; restyle(); place(); return *this; }
Label& Label::fixedSize() { autoSize_ = false; place(); return *this; }
Label& Label::wraps() { wraps_ = true; label_->setWordWrap(true); return fixedSize(); }
Label& Label::border() { border_ = true; restyle(); place(); return *this; }
Label& Label::hidden() { setVisible(false); return *this; }

void Label::restyle()
{
    setColors(QPalette::WindowText, fore_, QPalette::Window, back_);
    label_->setAutoFillBackground(opaque_);
    label_->setFrameStyle(border_ ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    label_->setLineWidth(qMax(1, qRound(zoomOf(label_).factor)));
    const Qt::Alignment horizontal = align_ == Align::Left    ? Qt::AlignLeft
                                     : align_ == Align::Right ? Qt::AlignRight
                                                              : Qt::AlignHCenter;
    // The text starts at the top of the box, also in a box taller than the text
    label_->setAlignment(horizontal | Qt::AlignTop);
}

QRect Label::pixelRect(QRect box) const
{
    if (!autoSize_) return box;
    const QSize fit = label_->sizeHint();
    QRect rect(box.topLeft(), fit);
    if (align_ == Align::Right) rect.moveRight(box.right());
    if (align_ == Align::Centre) rect.moveCenter({box.center().x(), rect.center().y()});
    return rect;
}

std::unique_ptr<Label> Label::cloneHidden(QWidget* parent) const
{
    auto copy = std::make_unique<Label>(parent, twipsPerUnit_);
    copy->setFont(fontSpec());
    copy->fore_ = fore_;
    copy->back_ = back_;
    copy->opaque_ = opaque_;
    copy->autoSize_ = autoSize_;
    copy->wraps_ = wraps_;
    copy->label_->setWordWrap(wraps_);
    copy->border_ = border_;
    copy->align_ = align_;
    copy->restyle();
    copy->setCaption(caption_);
    copy->setDesignedRect(qRound(Left() * twipsPerUnit_), qRound(Top() * twipsPerUnit_),
                          qRound(Width() * twipsPerUnit_), qRound(Height() * twipsPerUnit_));
    copy->setVisible(false);
    return copy;
}

}  // namespace ui
