#include "ui/halo.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace ui {

namespace {

constexpr int kRing = 2;  // pixels around the glyphs that decide whether they can be read

// Relative luminance, its sRGB channels made linear by table
double luminance(QRgb rgb)
{
    static const std::array<double, 256> linear = [] {
        std::array<double, 256> table{};
        for (size_t i = 0; i < table.size(); ++i) {
            const double c = double(i) / 255.0;
            table[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return table;
    }();
    return .2126 * linear[qRed(rgb)] + .7152 * linear[qGreen(rgb)] + .0722 * linear[qBlue(rgb)];
}

double ratioOfLuminances(double first, double second)
{
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

}  // namespace

double contrastRatio(QRgb a, QRgb b) { return ratioOfLuminances(luminance(a), luminance(b)); }

QImage glyphsOf(const QLabel& label)
{
    QImage glyphs(label.size(), QImage::Format_Alpha8);
    glyphs.fill(0);
    QPainter painter(&glyphs);
    painter.setFont(label.font());
    // Inside its margin; a framed label indents its text by half an "x" from each edge it is
    // aligned to, less the margin.
    const Qt::Alignment align = label.alignment();
    const int margin = label.margin();
    int indent = label.indent();
    if (indent < 0 && label.frameWidth()) indent = label.fontMetrics().horizontalAdvance(u'x') / 2 - margin;
    indent = std::max(indent, 0);
    const QRect text = label.contentsRect().adjusted(
        margin + (align & Qt::AlignLeft ? indent : 0), margin + (align & Qt::AlignTop ? indent : 0),
        -margin - (align & Qt::AlignRight ? indent : 0), -margin - (align & Qt::AlignBottom ? indent : 0));
    const int wrap = label.wordWrap() ? Qt::TextWordWrap : 0;
    label.style()->drawItemText(&painter, text, int(align) | wrap, label.palette(), true, label.text(),
                                QPalette::WindowText);
    return glyphs;
}

double captionContrast(const QImage& glyphs, const QImage& backdrop, QRgb colour)
{
    const int width = glyphs.width(), height = glyphs.height();
    // Glyph pixels within kRing in the row, then those within kRing of such a pixel in the column
    std::vector<char> nearInRow(size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (glyphs.constScanLine(y)[x])
                std::fill(&nearInRow[y * width + std::max(x - kRing, 0)], &nearInRow[y * width + std::min(x + kRing, width - 1)] + 1, 1);
    // The ring's ratios counted in hundredths, from 1 to 21
    const QImage shown = backdrop.convertToFormat(QImage::Format_RGB32);
    const double captionLuminance = luminance(colour);
    std::array<int, 2101> ratios{};
    int ring = 0;
    for (int y = 0; y < height; ++y) {
        const uchar* glyphRow = glyphs.constScanLine(y);
        const auto* shownRow = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            bool near = false;
            for (int d = std::max(y - kRing, 0); d <= std::min(y + kRing, height - 1) && !near; ++d) near = nearInRow[d * width + x];
            if (!near || glyphRow[x]) continue;
            ++ratios[size_t(ratioOfLuminances(captionLuminance, luminance(shownRow[x])) * 100)];
            ++ring;
        }
    }
    if (ring == 0) return 21;  // no glyphs
    // The ratio 90 % of the ring reach
    for (int hundredths = 0, below = 0;; below += ratios[hundredths++])
        if (below + ratios[hundredths] > ring / 10) return hundredths / 100.0;
}

QImage haloAround(const QImage& glyphs, const QColor& colour, double radius)
{
    const int width = glyphs.width(), height = glyphs.height();
    // Squared distances to the nearest glyph pixel, exact up to `reach` and capped beyond: first
    // along each row, then the least over the rows within reach
    const int reach = int(std::ceil(radius)) + 1;
    const auto capped = quint16((reach + 1) * (reach + 1));
    std::vector<quint16> inRow(size_t(width) * height), distance(inRow.size(), capped);
    for (int y = 0; y < height; ++y) {
        const uchar* glyphRow = glyphs.constScanLine(y);
        quint16* row = &inRow[y * width];
        for (int x = 0, last = -width; x < width; ++x) row[x] = quint16(std::min(x - (glyphRow[x] ? last = x : last), reach + 1));
        for (int x = width - 1, next = 2 * width; x >= 0; --x) {
            const int along = std::min<int>({row[x], (glyphRow[x] ? next = x : next) - x, reach + 1});
            row[x] = quint16(along * along);
        }
    }
    for (int y = 0; y < height; ++y)
        for (int dy = -std::min(reach, y); dy <= reach && y + dy < height; ++dy) {
            const quint16* from = &inRow[(y + dy) * width];
            quint16* to = &distance[y * width];
            for (int x = 0; x < width; ++x) to[x] = std::min(to[x], quint16(from[x] + dy * dy));
        }
    QImage halo(glyphs.size(), QImage::Format_ARGB32_Premultiplied);
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(halo.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const quint16 squared = distance[y * width + x];
            const double alpha = squared >= capped ? 0 : std::clamp(radius + 1 - std::sqrt(double(squared)), 0.0, 1.0);
            row[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), qRound(alpha * 255)));
            if (alpha > 0) left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = y;
        }
    }
    // Kept no larger than what it covers
    const QRect drawn(QPoint(left, top), QPoint(right, bottom));
    QImage kept = halo.copy(drawn);
    kept.setOffset(drawn.topLeft());
    return kept;
}

}  // namespace ui
