#include "art/runners.h"

#include <QPainter>

#include "art/palette.h"

namespace art {

namespace {

// Two frames of a stride, the near limbs swapping front and back
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

void drawLimb(QPainter& painter, const Limb& limb, const QColor& outline, const QColor& fill, qreal width)
{
    const QPointF points[] = {limb.root, limb.joint, limb.end};
    painter.setPen(QPen(outline, width + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(points, 3);
    painter.setPen(QPen(fill, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(points, 3);
}

}  // namespace

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

namespace {

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
    QImage strip({kFrameSize.width() * 2, kFrameSize.height()}, QImage::Format_RGB32);
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

}  // namespace

QImage sprinterStrip()
{
    return runnerStrip([](QPainter& painter, int frame) { drawSprinter(painter, frame, kSprinter); });
}

QImage robotStrip() { return runnerStrip(drawRobot); }

}  // namespace art
