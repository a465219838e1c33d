#include "ui/label.h"

#include <cmath>
#include <tuple>

#include <QLabel>
#include <QPainter>

#include "ui/colors.h"
#include "ui/halo.h"
#include "ui/window.h"
#include "ui/zoom.h"

namespace ui {

namespace {
constexpr double kHaloWidth = 2.5;  // designed pixels
}

// Draws the halo, when the caption needs one, beneath the caption
class Label::Text : public QLabel {
public:
    using QLabel::QLabel;
    QColor halo;  // invalid: none

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (const Window* screen = screenOf(this); screen && halo.isValid()) {
            // Made again only when what it depends on changes
            const auto look = std::tuple(text(), geometry(), font(), palette().color(QPalette::WindowText).rgb(),
                                         halo.rgb(), screen->picture.cacheKey(), screen->back.rgb(), screen->zoom());
            if (look != haloFor_) haloImage_ = haloOver(*screen), haloFor_ = look;
            if (!haloImage_.isNull()) QPainter(this).drawImage(haloImage_.offset(), haloImage_);
        }
        QLabel::paintEvent(event);
    }

private:
    QImage haloOver(const Window& screen) const
    {
        const QImage glyphs = glyphsOf(*this);
        if (readable(glyphs, screen)) return {};
        return haloAround(glyphs, halo, kHaloWidth * screen.zoom().factor);
    }

    bool readable(const QImage& glyphs, const Window& screen) const
    {
        QImage backdrop(size(), QImage::Format_RGB32);
        QPainter painter(&backdrop);
        painter.translate(-geometry().topLeft());
        screen.drawBackdrop(painter);
        painter.end();
        return captionContrast(glyphs, backdrop, palette().color(QPalette::WindowText).rgb()) >= kReadableContrast;
    }

    QImage haloImage_;
    std::tuple<QString, QRect, QFont, QRgb, QRgb, qint64, QRgb, Zoom> haloFor_;
};

Label::Label(QWidget* parent, double twipsPerUnit)
    : Control(new Text(parent), Layer::Surface, twipsPerUnit),
      label_(static_cast<Text*>(widget())),
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
Label& Label::halo(const QColor& color) { halo_ = color; restyle(); place(); return *this; }

int Label::haloMargin() const
{
    return halo_.isValid() ? int(std::ceil(kHaloWidth * zoomOf(label_).factor)) + 1 : 0;
}

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
    label_->halo = halo_;
    label_->setMargin(haloMargin());
}

QRect Label::pixelRect(QRect box) const
{
    const int margin = haloMargin();
    QRect rect = box;
    if (autoSize_) {
        rect = QRect(box.topLeft(), label_->sizeHint().shrunkBy({margin, margin, margin, margin}));
        if (align_ == Align::Right) rect.moveRight(box.right());
        if (align_ == Align::Centre) rect.moveCenter({box.center().x(), rect.center().y()});
    }
    return rect.adjusted(-margin, -margin, margin, margin);
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
    copy->halo_ = halo_;
    copy->restyle();
    copy->setCaption(caption_);
    copy->setDesignedRect(qRound(Left() * twipsPerUnit_), qRound(Top() * twipsPerUnit_),
                          qRound(Width() * twipsPerUnit_), qRound(Height() * twipsPerUnit_));
    copy->setVisible(false);
    return copy;
}

}  // namespace ui
