#include "art/scenes.h"

#include <map>
#include <utility>

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "art/palette.h"
#include "art/runners.h"

namespace art {

namespace {

constexpr QSize kScreenSize(640, 480);
constexpr QSize kSplashSize(299, 213);
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
    // Shaped and kerned in whatever program draws it (the game's own text is neither): the game
    // recognises its own pictures by drawing them again, pixel for pixel as the generator did.
    font.setStyleStrategy(QFont::PreferDefault);
    font.setKerning(true);
    return font;
}

// The common background: a floodlit stadium with a four-lane track

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
    // Smooth outlines cost their time even wholly clipped away, as when a runner moves on a lane.
    if (painter.hasClipping() && !painter.clipBoundingRect().intersects(QRectF(kScoreboard.adjusted(0, 0, 0, 44))))
        return;
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

void drawBackground(QPainter& painter)
{
    drawStands(painter);
    drawGrass(painter);
    drawTrack(painter);
    drawScoreboard(painter);
}

// The splash cards

void drawMakerCard(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient night(kSplashSize.width() / 2.0, 70, 190);
    night.setColorAt(0, QColor(0x24, 0x44, 0x80));
    night.setColorAt(1, QColor(0x08, 0x12, 0x2c));
    painter.fillRect(QRect(QPoint(), kSplashSize), night);

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
}

void drawProductCard(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 150);
    sky.setColorAt(0, QColor(0x0f, 0x25, 0x57));
    sky.setColorAt(1, QColor(0x3b, 0x6f, 0xb6));
    painter.fillRect(QRect(QPoint(), kSplashSize), sky);

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
}

}  // namespace

const std::array<Scene, 3>& scenes()
{
    static const std::array<Scene, 3> all{{
        {"back.bmp", kScreenSize, drawBackground},
        {"orvenspres.bmp", kSplashSize, drawMakerCard},
        {"tapdash.bmp", kSplashSize, drawProductCard},
    }};
    return all;
}

void Scene::draw(QPainter& painter) const
{
    painter.save();
    // On black, with a fresh painter's hints, whatever the painter drew before
    painter.setRenderHints(painter.renderHints(), false);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.fillRect(QRect(QPoint(), size), Qt::black);
    drawing(painter);
    painter.restore();
}

QImage Scene::render() const
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    draw(painter);
    return image;
}

const Scene* SceneFinder::sceneOf(const QImage& picture)
{
    // The bytes of the pixels, row by row, in the picture's own format
    const auto pixelHash = [](const QImage& image) {
        const auto rowBytes = size_t(image.width()) * size_t(image.depth()) / 8;
        size_t hash = 0;
        for (int y = 0; y < image.height(); ++y) hash = qHashBits(image.constScanLine(y), rowBytes, hash);
        return hash;
    };
    // The play folder's pictures are 24-bit bitmaps, read in one of these.
    if (picture.format() != QImage::Format_RGB888 && picture.format() != QImage::Format_RGB32) return nullptr;
    for (const Scene& scene : scenes()) {
        if (scene.size != picture.size()) continue;
        const auto key = std::pair(&scene, picture.format());
        if (!drawn_.contains(key)) drawn_[key] = pixelHash(scene.render().convertToFormat(picture.format()));
        if (pixelHash(picture) == drawn_[key]) return &scene;
    }
    return nullptr;
}

}  // namespace art
