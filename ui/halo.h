#pragma once
// A halo: an outline of a contrasting colour around a caption's glyphs, for a caption that the
// picture beneath would leave too faint to read. Readable means the WCAG contrast ratio 4.5 : 1
// reached by 90 % of the pixels within 2 px of the glyphs.
#include <QColor>
#include <QImage>

class QLabel;

namespace ui {

inline constexpr double kReadableContrast = 4.5;

// The WCAG contrast ratio of two colours, from 1 to 21
double contrastRatio(QRgb, QRgb);

// A label's caption alone, drawn where the label draws it: its glyphs' coverage, as an alpha map
// (QImage::Format_Alpha8) of the label's size
QImage glyphsOf(const QLabel&);

// The contrast of glyphs (an alpha map) of a colour over a backdrop of their size: the ratio, to
// a hundredth, that 90 % of the pixels within 2 px of a glyph (and no glyph themselves) reach
double captionContrast(const QImage& glyphs, const QImage& backdrop, QRgb colour);

// The halo around the glyphs (an alpha map): opaque within `radius` pixels of any glyph pixel,
// then fading over one pixel; only the part it covers, at its offset()
QImage haloAround(const QImage& glyphs, const QColor&, double radius);

}  // namespace ui
