// The title picture with the hero's name.
#include "draw.h"
#include "pictures.h"

#include <QLinearGradient>

QImage DrawTitle()
{
    QImage image = NewCanvas(453, 86);
    QPainter p;
    BeginPainter(p, image);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(52);
    QPainterPath text = TextPath(QStringLiteral("Zorvik The Vexling"), font, QPointF(0, 0));
    const QRectF b = text.boundingRect();
    const double sx = std::min(1.0, 415.0 / b.width());
    const double sy = std::min(1.0, 62.0 / b.height());
    QTransform t;
    t.translate(226.5, 42);
    t.scale(sx, sy);
    t.translate(-b.center().x(), -b.center().y());
    text = t.map(text);

    // Drop shadow, thick outline, then a sunset fill.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(150, 40, 120), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text.translated(3, 4));
    p.setPen(QPen(ink::Outline, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text);
    QLinearGradient g(0, 12, 0, 72);
    g.setColorAt(0, QColor(255, 245, 140));
    g.setColorAt(0.5, QColor(255, 190, 40));
    g.setColorAt(1, QColor(240, 90, 40));
    p.fillPath(text, g);

    // Twinkles at the corners.
    FillOutlined(p, StarPath(QPointF(12, 14), 9, 4), ink::Star, 1.6);
    FillOutlined(p, StarPath(QPointF(440, 72), 9, 4), ink::Star, 1.6);
    FillOutlined(p, StarPath(QPointF(443, 13), 5, 2.2), ink::Body, 1.2);
    FillOutlined(p, StarPath(QPointF(9, 74), 5, 2.2), ink::Body, 1.2);
    p.end();
    return image;
}
