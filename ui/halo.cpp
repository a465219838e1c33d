#include "ui/halo.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace ui {

namespace {

constexpr int kRing = 2;  // pixels around the glyphs that decide whether they can be read

double luminance(QRgb rgb)
{
    double sum = 0;
    for (const auto& [channel, weight] : {std::pair{qRed(rgb), .2126}, {qGreen(rgb), .7152}, {qBlue(rgb), .0722}}) {
        const double c = channel / 255.0;
        sum += weight * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

bool isGlyph(const QImage& glyphs, int x, int y) { return qAlpha(glyphs.pixel(x, y)) > 0; }

// Squared distances along a line of `n` values, each value the squared distance found so far
// (0 at a glyph), by the lower envelope of parabolas (Felzenszwalb and Huttenlocher)
void envelope(std::vector<double>& f, int n)
{
    std::vector<double> d(static_cast<size_t>(n)), z(static_cast<size_t>(n) + 1);
    std::vector<int> v(static_cast<size_t>(n));
    const auto cross = [&f](int q, int p) { return (f[q] + double(q) * q - f[p] - double(p) * p) / (2.0 * (q - p)); };
    int k = 0;
    z[0] = -HUGE_VAL, z[1] = HUGE_VAL;
    for (int q = 1; q < n; ++q) {
        double s = cross(q, v[k]);
        while (s <= z[k]) s = cross(q, v[--k]);
        v[++k] = q, z[k] = s, z[k + 1] = HUGE_VAL;
    }
    for (int q = 0, j = 0; q < n; ++q) {
        while (z[j + 1] < q) ++j;
        d[q] = double(q - v[j]) * (q - v[j]) + f[v[j]];
    }
    f.swap(d);
}

}  // namespace

double contrastRatio(QRgb a, QRgb b)
{
    const double first = luminance(a), second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QImage glyphsOf(const QLabel& label)
{
    QImage glyphs(label.size(), QImage::Format_ARGB32_Premultiplied);
    glyphs.fill(Qt::transparent);
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
    // Glyph pixels within kRing, row by row, then column by column
    std::vector<char> nearRow(size_t(width) * height), near(nearRow.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int d = -kRing; d <= kRing && !nearRow[y * width + x]; ++d)
                nearRow[y * width + x] = x + d >= 0 && x + d < width && isGlyph(glyphs, x + d, y);
    std::vector<double> ring;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            bool next = false;
            for (int d = -kRing; d <= kRing && !next; ++d) next = y + d >= 0 && y + d < height && nearRow[(y + d) * width + x];
            if (next && !isGlyph(glyphs, x, y)) ring.push_back(contrastRatio(colour, backdrop.pixel(x, y)));
        }
    if (ring.empty()) return 21;
    std::ranges::nth_element(ring, ring.begin() + ring.size() / 10);
    return ring[ring.size() / 10];
}

QImage haloAround(const QImage& glyphs, const QColor& colour, double radius)
{
    const int width = glyphs.width(), height = glyphs.height();
    std::vector<double> distance(size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) distance[y * width + x] = isGlyph(glyphs, x, y) ? 0 : 1e12;
    std::vector<double> line;
    for (int x = 0; x < width; ++x) {
        line.resize(height);
        for (int y = 0; y < height; ++y) line[y] = distance[y * width + x];
        envelope(line, height);
        for (int y = 0; y < height; ++y) distance[y * width + x] = line[y];
    }
    for (int y = 0; y < height; ++y) {
        line.assign(distance.begin() + y * width, distance.begin() + (y + 1) * width);
        envelope(line, width);
        std::copy(line.begin(), line.end(), distance.begin() + y * width);
    }
    QImage halo(glyphs.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double alpha = std::clamp(radius + 1 - std::sqrt(distance[y * width + x]), 0.0, 1.0);
            QColor shade = colour;
            shade.setAlphaF(float(alpha));
            halo.setPixel(x, y, qPremultiply(shade.rgba()));
        }
    return halo;
}

}  // namespace ui
