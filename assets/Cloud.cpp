#include "assets/Cloud.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

QImage DrawCloud(double scaleX, double scaleY)
{
    // The shape at scale 1, even about the middle of its text (68.5, 41):
    // a rounded middle, puffs round it, fuller ones at its corners, and the
    // tail. Its top lies 4 pixels down, clear of the picture's top edge.
    QPainterPath shape;
    shape.addRoundedRect(QRectF(8, 10.5, 121, 61), 10, 10);
    const double puffs[][3] = {
        // x, y, radius
        {16, 18.5, 10},   {121, 18.5, 10},  {16, 63.5, 10},   {121, 63.5, 10},  // the corners
        {36, 12.5, 8.5},  {57, 11.5, 8},    {78, 12, 8.5},    {100, 12.5, 8},     // the top
        {37, 69.5, 8},    {58, 70, 8.5},    {80, 69.5, 8},    {101, 69, 8.5},     // the bottom
        {9.5, 41, 6.5},   {127.5, 41, 6.5},                                       // the sides
    };
    for (const auto& puff : puffs) {
        QPainterPath c;
        c.addEllipse(QPointF(puff[0], puff[1]), puff[2], puff[2]);
        shape = shape.united(c);
    }
    QPainterPath tail;
    tail.moveTo(17, 66);
    tail.quadTo(13, 89.5, 3, 98.5);
    tail.quadTo(24, 93.5, 36, 68);
    tail.closeSubpath();
    shape = shape.united(tail).simplified();

    QImage image(static_cast<int>(std::lround(138 * scaleX)), static_cast<int>(std::lround(102 * scaleY)),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(24, 16, 40), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(QTransform::fromScale(scaleX, scaleY).map(shape));
    p.end();
    return image;
}
