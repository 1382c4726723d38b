// The peeking head (upright over the bottom edge, upside down under the top
// edge) and the hands that grip the edge.
#include "draw.h"
#include "pictures.h"

#include <QLinearGradient>

QImage DrawHead(bool upright, Eyes eyes)
{
    QImage image = NewCanvas(73, 104);
    QPainter p;
    BeginPainter(p, image);
    HeroPose pose;
    pose.facing = 0;
    pose.bust = true;
    pose.eyes = eyes;
    constexpr double scale = 1.25;
    // Star tip two pixels below the top; the picture ends at the scarf.
    DrawHero(p, QPointF(36.5, 2 + 105.5 * scale), scale, pose);
    p.end();
    return upright ? image : Rotated180(image);
}

QImage DrawHand(bool bottomEdge, bool leftHand)
{
    // Drawn as the left hand hooked over the bottom edge: three fat fingers
    // curl over the edge towards us, the thumb on the inner (right) side.
    QImage image = NewCanvas(49, 22);
    QPainter p;
    BeginPainter(p, image);
    constexpr double ow = 1.8;
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(35, 6, 12, 15), 5.5, 5.5);
    FillOutlined(p, thumb, ink::BodyLight, ow);
    QPainterPath palm;
    palm.addRoundedRect(QRectF(3, 1.5, 37, 12), 6, 6);
    FillOutlined(p, palm, ink::Body, ow);
    for (int i = 0; i < 3; ++i) {
        const double x = 3 + i * 12.3;
        QPainterPath finger;
        finger.addRoundedRect(QRectF(x, 3, 12, 17.5), 6, 6);
        QLinearGradient shade(0, 3, 0, 20.5);
        shade.setColorAt(0, ink::BodyLight);
        shade.setColorAt(1, ink::Body);
        FillOutlined(p, finger, shade, ow);
        QPainterPath claw;
        claw.moveTo(x + 3.5, 17.5);
        claw.quadTo(x + 6, 22, x + 8.5, 17.5);
        claw.closeSubpath();
        FillOutlined(p, claw, ink::Crest, 1.0);
        p.setPen(QPen(ink::BodyShade, 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(x + 3, 6, 6, 4), 200 * 16, 140 * 16);  // knuckle crease
        p.setPen(QPen(ink::White, 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x + 3, 7), QPointF(x + 3, 11));        // shine
    }
    p.end();
    if (!leftHand) {
        image = MirroredH(image);
    }
    return bottomEdge ? image : MirroredV(image);
}
