// Draws the game's pictures.
//   make_pictures PLAY_DIR         back.bmp, orvenspres.bmp, tapdash.bmp and sample runner files
//   make_pictures --assets DIR     default_runner.gif and tapdash.ico, the pictures built into the game
//   make_pictures --icons DIR      the icon theme files for the installed game (icons.h)
// Everything is drawing code, so the same fonts give the same files on every run.
#include "icons.h"

#include "art/palette.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cstdio>
#include <optional>

namespace {

using namespace art;

constexpr QSize kScreenSize(640, 480);
constexpr QSize kSplashSize(299, 213);
constexpr QSize kFrameSize(48, 43);  // a runner box on the race screen; lanes are as tall
constexpr std::array kLaneTops{96, 144, 192, 240};
constexpr int kLaneLeft = 140;
constexpr QRect kTrackArea(132, 90, 508, 199);
// The scoreboard under the track carries the results in blue and black, which read from afar only
// on a light panel; the race screen's display covers it and its housing below.
constexpr QRect kScoreboard(100, 284, 440, 68);
constexpr QRect kDisplayHousing(185, 345, 240, 33);

const QStringList kRoundFaces{"Comic Neue", "Comic Sans MS", "DejaVu Sans"};
const QStringList kPlainFaces{"DejaVu Sans", "Liberation Sans"};

QFont fontOf(const QStringList& faces, int pixelSize, QFont::Weight weight, bool italic = false)
{
    QFont font;
    font.setFamilies(faces);  // the first installed face wins
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setItalic(italic);
    return font;
}

QImage canvas(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

// ---- runner figures: two frames of a stride, the near limbs swapping front and back ----

struct Limb {
    QPointF root, joint, end;
};

struct Stride {
    Limb frontLeg, backLeg, frontArm, backArm;
};

struct Sides {
    Limb nearLeg, farLeg, nearArm, farArm;
};

// Frame 0 has the near leg in front and the near arm behind (arms swing against the legs);
// frame 1 the other way round.
Sides sidesOf(const Stride& stride, int frame)
{
    if (frame == 0) {
        return {stride.frontLeg, stride.backLeg, stride.backArm, stride.frontArm};
    }
    return {stride.backLeg, stride.frontLeg, stride.frontArm, stride.backArm};
}

struct SprinterColours {
    QColor outline, nearSkin, farSkin, vest, shorts;
};

void drawLimb(QPainter& painter, const Limb& limb, const QColor& outline, const QColor& fill, qreal width)
{
    const QPointF points[] = {limb.root, limb.joint, limb.end};
    painter.setPen(QPen(outline, width + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(points, 3);
    painter.setPen(QPen(fill, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(points, 3);
}

void drawSprinter(QPainter& painter, int frame, const SprinterColours& colours)
{
    const QPointF shoulder(27.5, 14), hip(23, 24);
    const Stride stride{
        {hip, {31, 29}, {29, 38}},
        {hip, {19, 31}, {11, 35}},
        {shoulder, {33, 19}, {37, 14}},
        {shoulder, {21, 18}, {18, 23}},
    };
    const Sides sides = sidesOf(stride, frame);

    drawLimb(painter, sides.farArm, colours.outline, colours.farSkin, 2.5);
    drawLimb(painter, sides.farLeg, colours.outline, colours.farSkin, 3);
    painter.setPen(QPen(colours.outline, 7, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(shoulder, hip);
    painter.setPen(QPen(colours.vest, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(shoulder, hip + QPointF(0.8, -3));
    painter.setPen(QPen(colours.shorts, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(hip + QPointF(0.6, -2.5), hip);
    drawLimb(painter, sides.nearLeg, colours.outline, colours.nearSkin, 3);
    drawLimb(painter, sides.nearArm, colours.outline, colours.nearSkin, 2.5);
    painter.setPen(QPen(colours.outline, 1.2));
    painter.setBrush(colours.nearSkin);
    painter.drawEllipse(QPointF(30.5, 8), 4.5, 4.5);
}

void drawRobot(QPainter& painter, int frame)
{
    const QColor outline(0x22, 0x27, 0x2e), plate(0xc4, 0xcc, 0xd4), nearSteel(0x9a, 0xa4, 0xae),
        farSteel(0x5e, 0x68, 0x72), glow(0x22, 0xd3, 0xee);
    const QPointF shoulder(25, 19), hip(24, 29);
    const Stride stride{
        {hip, {30, 33}, {31, 39}},
        {hip, {19, 34}, {15, 39}},
        {shoulder, {30, 21.5}, {35, 24}},
        {shoulder, {20, 21.5}, {15, 24}},
    };
    const Sides sides = sidesOf(stride, frame);
    const auto foot = [&](const Limb& leg, const QColor& colour) {
        painter.setPen(QPen(outline, 1));
        painter.setBrush(colour);
        painter.drawRect(QRectF(leg.end.x() - 2.5, leg.end.y() - 1, 7, 3));
    };

    drawLimb(painter, sides.farArm, outline, farSteel, 3);
    drawLimb(painter, sides.farLeg, outline, farSteel, 3.5);
    foot(sides.farLeg, farSteel);
    painter.setPen(QPen(outline, 1.2));
    painter.setBrush(plate);
    painter.drawRoundedRect(QRectF(17, 16, 15, 14), 2, 2);  // body
    painter.drawRoundedRect(QRectF(19, 5, 13, 10), 2, 2);   // head
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawRect(QRectF(26, 8, 5, 3));  // visor, looking ahead
    painter.drawEllipse(QPointF(21.5, 24), 1.6, 1.6);
    painter.setPen(QPen(outline, 1.2));
    painter.drawLine(QPointF(23, 5), QPointF(21, 2));
    painter.setBrush(QColor(0xef, 0x44, 0x44));
    painter.drawEllipse(QPointF(21, 2), 1.3, 1.3);
    drawLimb(painter, sides.nearLeg, outline, nearSteel, 3.5);
    foot(sides.nearLeg, nearSteel);
    drawLimb(painter, sides.nearArm, outline, nearSteel, 3);
}

template <typename DrawFrame>
QImage runnerStrip(DrawFrame drawFrame)
{
    QImage strip = canvas({kFrameSize.width() * 2, kFrameSize.height()});
    strip.fill(kLaneColour);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int frame = 0; frame < 2; ++frame) {
        painter.save();
        painter.translate(frame * kFrameSize.width(), 0);
        painter.setClipRect(QRect(QPoint(0, 0), kFrameSize));
        painter.translate(0, frame == 0 ? 1 : 0);  // the body rises a little between strides
        drawFrame(painter, frame);
        painter.restore();
    }
    return strip;
}

const SprinterColours kSprinter{QColor(0x1a, 0x1a, 0x1a), QColor(0xf0, 0xc0, 0x90), QColor(0xb0, 0x80, 0x58),
                                QColor(0x1d, 0x4e, 0xd8), QColor(0xf5, 0xf5, 0xf5)};

// ---- the common background: a floodlit stadium with a four-lane track ----

void drawStands(QPainter& painter)
{
    QLinearGradient sky(0, 0, 0, 70);
    sky.setColorAt(0, QColor(0x10, 0x1c, 0x38));
    sky.setColorAt(1, QColor(0x35, 0x50, 0x78));
    painter.fillRect(0, 0, kScreenSize.width(), 70, sky);

    for (const int x : {36, 604}) {  // floodlight masts with a soft glow
        QRadialGradient glow(x, 14, 34);
        glow.setColorAt(0, QColor(255, 250, 220, 150));
        glow.setColorAt(1, QColor(255, 250, 220, 0));
        painter.fillRect(x - 34, 0, 68, 48, glow);
        painter.fillRect(x - 1, 14, 2, 50, QColor(0x1c, 0x22, 0x2c));
        painter.fillRect(x - 9, 9, 18, 6, QColor(0xf4, 0xf1, 0xe0));
    }

    painter.fillRect(0, 52, kScreenSize.width(), 36, QColor(0x26, 0x2b, 0x38));
    painter.fillRect(0, 50, kScreenSize.width(), 3, QColor(0x4a, 0x52, 0x63));  // roof edge
    quint32 seed = 20240611;
    const auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
    const std::array crowd{QColor(0x7a, 0x5c, 0x58), QColor(0x5c, 0x6b, 0x8a), QColor(0x8a, 0x80, 0x5c),
                           QColor(0x6a, 0x6f, 0x74), QColor(0x8c, 0x4e, 0x4e)};
    for (int row = 0; row < 4; ++row) {
        for (int x = 2 + row % 2 * 3; x < kScreenSize.width(); x += 6) {
            painter.fillRect(x, 57 + row * 7, 3, 4, crowd[next() % crowd.size()]);
        }
    }
}

void drawGrass(QPainter& painter)
{
    const int top = 88;
    for (int x = 0, band = 0; x < kScreenSize.width(); x += 40, ++band) {  // mowing stripes
        QLinearGradient grass(0, top, 0, kScreenSize.height());
        const int lift = band % 2 == 0 ? 0 : 8;
        grass.setColorAt(0, QColor(0x2f + lift, 0x70 + lift, 0x3a + lift));
        grass.setColorAt(1, QColor(0x24 + lift, 0x58 + lift, 0x2d + lift));
        painter.fillRect(x, top, 40, kScreenSize.height() - top, grass);
    }
}

void drawTrack(QPainter& painter)
{
    painter.fillRect(kTrackArea, QColor::fromRgb(kLaneMarkColour));
    const int right = kScreenSize.width();
    for (const int top : kLaneTops) {
        painter.fillRect(kLaneLeft, top, right - kLaneLeft, kFrameSize.height(), QColor::fromRgb(kLaneColour));
    }

    painter.setFont(fontOf(kPlainFaces, 15, QFont::Bold));
    painter.setPen(QColor::fromRgb(kLaneLineColour));
    for (std::size_t lane = 0; lane < kLaneTops.size(); ++lane) {  // lane numbers past the finish
        const QRect slot(604, kLaneTops[lane], 30, kFrameSize.height());
        painter.drawText(slot, Qt::AlignCenter, QString::number(lane + 1));
    }
}

// A light panel on two posts, the race screen's display housed beneath it
void drawScoreboard(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor frame = scoreboardFrame();
    QLinearGradient face(0, kScoreboard.top(), 0, kScoreboard.bottom());
    face.setColorAt(0, QColor(0xb8, 0xc4, 0xd4));
    face.setColorAt(1, QColor(0xb4, 0xc0, 0xd0));
    for (const int x : {kScoreboard.left() + 18, kScoreboard.right() - 24}) {  // its posts
        painter.fillRect(x, kScoreboard.bottom(), 7, 44, frame);
    }
    painter.setPen(QPen(frame, 2));
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(kScoreboard).adjusted(1, 1, -1, -1), 5, 5);

    painter.setBrush(frame);
    painter.drawRoundedRect(QRectF(kDisplayHousing).adjusted(1, 1, -1, -1), 6, 6);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x55, 0x66, 0x70), 1));
    painter.drawRoundedRect(QRectF(kDisplayHousing).adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
}

QImage background()
{
    QImage image = canvas(kScreenSize);
    QPainter painter(&image);
    drawStands(painter);
    drawGrass(painter);
    drawTrack(painter);
    drawScoreboard(painter);
    return image;
}

// ---- the splash cards ----

QImage makerCard()
{
    QImage image = canvas(kSplashSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient night(kSplashSize.width() / 2.0, 70, 190);
    night.setColorAt(0, QColor(0x24, 0x44, 0x80));
    night.setColorAt(1, QColor(0x08, 0x12, 0x2c));
    painter.fillRect(image.rect(), night);

    const QColor gold(0xf4, 0xc4, 0x30);
    const QPointF centre(kSplashSize.width() / 2.0, 44);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor::fromRgb(kLaneColour), 10));
    painter.drawEllipse(centre, 58, 26);  // an oval track as the emblem
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1));
    for (const qreal ring : {-5.0, 0.0, 5.0}) {
        painter.drawEllipse(centre, 58 + ring, 26 + ring);
    }
    painter.save();
    painter.translate(centre - QPointF(24, 24));
    drawSprinter(painter, 0, {gold, gold, gold.darker(130), gold, gold});
    painter.restore();

    painter.setPen(Qt::white);
    painter.setFont(fontOf(kPlainFaces, 44, QFont::Bold));
    painter.drawText(QRect(0, 76, kSplashSize.width(), 54), Qt::AlignCenter, "Orvens");
    QFont software = fontOf(kPlainFaces, 15, QFont::DemiBold);
    software.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    painter.setPen(gold);
    painter.setFont(software);
    painter.drawText(QRect(6, 128, kSplashSize.width(), 22), Qt::AlignCenter, "SOFTWARE");
    painter.fillRect(QRectF(64, 160, kSplashSize.width() - 128, 1.5), gold);
    painter.setPen(QColor(0xc8, 0xd2, 0xe6));
    painter.setFont(fontOf(kRoundFaces, 18, QFont::Normal, true));
    painter.drawText(QRect(0, 170, kSplashSize.width(), 30), Qt::AlignCenter, "presents");
    return image;
}

QImage productCard()
{
    QImage image = canvas(kSplashSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 150);
    sky.setColorAt(0, QColor(0x0f, 0x25, 0x57));
    sky.setColorAt(1, QColor(0x3b, 0x6f, 0xb6));
    painter.fillRect(image.rect(), sky);

    const int trackTop = 150;
    painter.fillRect(0, trackTop, kSplashSize.width(), kSplashSize.height() - trackTop, QColor::fromRgb(kLaneColour));
    for (const int y : {trackTop, trackTop + 21, trackTop + 42}) {
        painter.fillRect(0, y, kSplashSize.width(), 2, QColor::fromRgb(kLaneLineColour));
    }

    QPainterPath title;
    const QFont titleFont = fontOf(kRoundFaces, 66, QFont::Black);
    title.addText(0, 0, titleFont, "Tapdash");
    const QRectF box = title.boundingRect();
    title.translate((kSplashSize.width() - box.width()) / 2 - box.left(), 14 - box.top());
    painter.setPen(QPen(QColor(0x1a, 0x1a, 0x1a), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(title);
    QLinearGradient gold(0, 14, 0, 14 + box.height());
    gold.setColorAt(0, QColor(0xff, 0xf3, 0x80));
    gold.setColorAt(1, QColor(0xff, 0xc4, 0x00));
    painter.fillPath(title, gold);

    painter.setPen(QColor(0xe8, 0xee, 0xf8));
    painter.setFont(fontOf(kRoundFaces, 15, QFont::Bold));
    painter.drawText(QRect(0, 92, kSplashSize.width(), 22), Qt::AlignCenter, "a race for 1 to 4 players");

    painter.setPen(QPen(QColor(255, 255, 255, 150), 2, Qt::SolidLine, Qt::RoundCap));
    for (const QLine line : {QLine(70, 140, 138, 140), QLine(52, 152, 136, 152), QLine(76, 164, 128, 164)}) {
        painter.drawLine(line);  // speed lines behind the runner
    }
    painter.save();
    painter.translate(104, 110);
    painter.scale(2.2, 2.2);
    drawSprinter(painter, 0, kSprinter);
    painter.restore();
    return image;
}

// ---- the two built-in pictures, written by hand since Qt cannot write GIF or 8-bit icons ----

void appendLittleEndian(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.append(char((value >> (8 * i)) & 0xff));
    }
}

// A GIF89a of an 8-bit image: a 256-entry global colour table, background index 0, one image,
// no extensions. The LZW stream sends each pixel as a 9-bit literal and clears the code table
// before it needs 10-bit codes (each code after a clear adds an entry from 258 on; 512 would
// widen them); a few codes of margin keep clear of decoders that widen one code early.
QByteArray encodeGif(const QImage& indexed)
{
    constexpr int kClearCode = 256, kEndCode = 257, kLiteralsPerClear = 250;
    QByteArray codes;
    quint32 pending = 0;
    int pendingBits = 0;
    const auto put = [&](int code) {
        pending |= quint32(code) << pendingBits;
        for (pendingBits += 9; pendingBits >= 8; pendingBits -= 8, pending >>= 8) {
            codes.append(char(pending & 0xff));
        }
    };
    put(kClearCode);
    int literals = 0;
    for (int y = 0; y < indexed.height(); ++y) {
        for (int x = 0; x < indexed.width(); ++x) {
            if (literals == kLiteralsPerClear) {
                put(kClearCode);
                literals = 0;
            }
            put(indexed.pixelIndex(x, y));
            ++literals;
        }
    }
    put(kEndCode);
    if (pendingBits > 0) {
        codes.append(char(pending & 0xff));
    }

    QByteArray gif("GIF89a");
    appendLittleEndian(gif, indexed.width(), 2);
    appendLittleEndian(gif, indexed.height(), 2);
    gif.append(char(0xf7));  // global table present, 8-bit colour, 2^(7+1) entries
    gif.append(char(0));     // background colour index
    gif.append(char(0));     // square pixels
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < indexed.colorCount() ? indexed.color(i) : qRgb(0, 0, 0);
        gif.append(char(qRed(colour))).append(char(qGreen(colour))).append(char(qBlue(colour)));
    }
    gif.append(char(0x2c));
    appendLittleEndian(gif, 0, 4);  // image at the top-left corner
    appendLittleEndian(gif, indexed.width(), 2);
    appendLittleEndian(gif, indexed.height(), 2);
    gif.append(char(0));  // no local table, not interlaced
    gif.append(char(8));  // LZW minimum code size
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        gif.append(char(block.size())).append(block);
    }
    gif.append(char(0)).append(char(0x3b));
    return gif;
}

// An icon file holding one 8-bit image: colours from the image's table, transparency from its
// alpha channel through the 1-bit AND mask. Rows are stored bottom-up, as in every DIB.
// Nothing when the picture has more colours than the table holds.
std::optional<QByteArray> encodeIcon(const QImage& argb)
{
    QImage opaque = argb.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(argb.pixel(x, y)) < 128) {
                opaque.setPixel(x, y, qRgb(0, 0, 0));  // black under a set mask bit shows nothing
            }
        }
    }
    const QImage indexed = opaque.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    if (indexed.convertToFormat(QImage::Format_RGB32) != opaque) {
        return std::nullopt;
    }
    const int side = indexed.width();
    const int maskRowBytes = (side + 31) / 32 * 4;
    const int pixelBytes = side * side + maskRowBytes * side;
    constexpr int kHeaderBytes = 6 + 16, kInfoBytes = 40, kPaletteBytes = 256 * 4;

    QByteArray ico;
    appendLittleEndian(ico, 0, 2);
    appendLittleEndian(ico, 1, 2);  // an icon, not a cursor
    appendLittleEndian(ico, 1, 2);  // one image
    ico.append(char(side)).append(char(side)).append(char(0)).append(char(0));  // 0 colours: 256
    appendLittleEndian(ico, 1, 2);
    appendLittleEndian(ico, 8, 2);
    appendLittleEndian(ico, kInfoBytes + kPaletteBytes + pixelBytes, 4);
    appendLittleEndian(ico, kHeaderBytes, 4);

    appendLittleEndian(ico, kInfoBytes, 4);
    appendLittleEndian(ico, side, 4);
    appendLittleEndian(ico, side * 2, 4);  // colour rows and mask rows together
    appendLittleEndian(ico, 1, 2);
    appendLittleEndian(ico, 8, 2);
    appendLittleEndian(ico, 0, 4);  // uncompressed
    appendLittleEndian(ico, pixelBytes, 4);
    appendLittleEndian(ico, 0, 4);  // no resolution, horizontal
    appendLittleEndian(ico, 0, 4);  // and vertical
    appendLittleEndian(ico, 256, 4);  // colours used
    appendLittleEndian(ico, 0, 4);
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < indexed.colorCount() ? indexed.color(i) : qRgb(0, 0, 0);
        ico.append(char(qBlue(colour))).append(char(qGreen(colour))).append(char(qRed(colour))).append(char(0));
    }
    for (int y = side - 1; y >= 0; --y) {
        ico.append(reinterpret_cast<const char*>(indexed.constScanLine(y)), side);
    }
    for (int y = side - 1; y >= 0; --y) {
        QByteArray row(maskRowBytes, 0);
        for (int x = 0; x < side; ++x) {
            if (qAlpha(argb.pixel(x, y)) < 128) {
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        ico.append(row);
    }
    return ico;
}

QImage defaultRunnerStrip()
{
    QImage strip(50, 25, QImage::Format_Indexed8);
    strip.setColorTable({qRgb(0xff, 0xff, 0x00), qRgb(0x00, 0x00, 0xff)});
    for (int y = 0; y < strip.height(); ++y) {
        for (int x = 0; x < strip.width(); ++x) {
            strip.setPixel(x, y, x < strip.width() / 2 ? 0 : 1);
        }
    }
    return strip;
}

// A yellow runner on a red tile with rounded corners, on a 32 x 32 square.
void paintProgramIcon(QPainter& painter)
{
    painter.setPen(QPen(QColor(0x90, 0x08, 0x08), 1.5));
    painter.setBrush(QColor(0xe8, 0x14, 0x14));  // flat: every colour must fit a 256-entry table
    painter.drawRoundedRect(QRectF(0.75, 0.75, 30.5, 30.5), 6, 6);
    painter.setPen(QPen(QColor(255, 255, 255, 190), 1.5, Qt::SolidLine, Qt::RoundCap));
    for (const int y : {9, 14, 19}) {
        painter.drawLine(QPointF(3, y), QPointF(9, y));
    }
    painter.translate(3, 1);
    painter.scale(0.7, 0.7);
    const QColor yellow(0xff, 0xe0, 0x20);
    drawSprinter(painter, 0, {QColor(0x40, 0x08, 0x08), yellow, yellow.darker(140), yellow, yellow});
}

QImage programIcon()
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    paintProgramIcon(painter);
    return icon;
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "make_pictures: cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

bool write(const QString& path, const QImage& image)
{
    if (!image.save(path, "BMP")) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writePlayFolder(const QDir& dir)
{
    return write(dir.filePath("back.bmp"), background()) && write(dir.filePath("orvenspres.bmp"), makerCard()) &&
           write(dir.filePath("tapdash.bmp"), productCard()) &&
           write(dir.filePath("sprinter.rnx"),
                 runnerStrip([](QPainter& painter, int frame) { drawSprinter(painter, frame, kSprinter); })) &&
           write(dir.filePath("robot.rnx"), runnerStrip(drawRobot));
}

bool writeAssets(const QDir& dir)
{
    const std::optional<QByteArray> icon = encodeIcon(programIcon());
    if (!icon) {
        std::fprintf(stderr, "make_pictures: the program icon has more than 256 colours\n");
        return false;
    }
    return write(dir.filePath("default_runner.gif"), encodeGif(defaultRunnerStrip())) &&
           write(dir.filePath("tapdash.ico"), *icon);
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");  // text needs a GUI application, never a display
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool assets = args.size() == 2 && args[0] == "--assets";
    const bool icons = args.size() == 2 && args[0] == "--icons";
    if (!assets && !icons && args.size() != 1) {
        std::fprintf(stderr, "usage: make_pictures PLAY_DIR | make_pictures --assets|--icons DIR\n");
        return 2;
    }
    const QString folder = args.last();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "make_pictures: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    if (icons) {
        return writeThemeIcons(QDir(folder), paintProgramIcon) ? 0 : 1;
    }
    return (assets ? writeAssets(QDir(folder)) : writePlayFolder(QDir(folder))) ? 0 : 1;
}
