// The peeking head (upright over the bottom edge, upside down under the top
// edge) and the hands that grip the edge.
#include "draw.h"
#include "pictures.h"

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
        QPainterPath finger;
        finger.addRoundedRect(QRectF(3 + i * 12.3, 3, 12, 17.5), 5.8, 5.8);
        FillOutlined(p, finger, ink::BodyLight, ow);
        QPainterPath claw;
        claw.addEllipse(QPointF(9 + i * 12.3, 16.8), 3, 2.2);
        FillOutlined(p, claw, ink::Crest, 1.0);
        p.setPen(QPen(ink::BodyShade, 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6 + i * 12.3, 8), QPointF(12 + i * 12.3, 8));
    }
    p.end();
    if (!leftHand) {
        image = MirroredH(image);
    }
    return bottomEdge ? image : MirroredV(image);
}
