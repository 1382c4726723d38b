// The title picture with the hero's name, and the speech cloud.
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

QImage DrawCloud()
{
    // A puffy balloon whose white middle holds the speech label, with its tail
    // reaching down and to the left towards the speaker.
    QImage image = NewCanvas(138, 102);
    QPainter p;
    BeginPainter(p, image);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(7, 6, 124, 72), 12, 12);
    const double puffs[][3] = {
        {20, 8, 8}, {40, 6, 9}, {62, 6, 9}, {84, 6, 9}, {106, 6, 9}, {124, 9, 8},
        {130, 28, 8}, {131, 50, 8}, {126, 72, 8}, {106, 78, 8}, {84, 79, 8}, {62, 79, 8},
        {42, 78, 8}, {10, 70, 8}, {7, 48, 8}, {7, 26, 8},
    };
    for (const auto& puff : puffs) {
        QPainterPath c;
        c.addEllipse(QPointF(puff[0], puff[1]), puff[2], puff[2] - 1);
        shape = shape.united(c);
    }
    QPainterPath tail;
    tail.moveTo(16, 78);
    tail.quadTo(12, 92, 2, 100);
    tail.quadTo(22, 95, 34, 82);
    tail.closeSubpath();
    shape = shape.united(tail);
    shape.setFillRule(Qt::WindingFill);
    FillOutlined(p, shape.simplified(), ink::White, 2.2);
    p.end();
    return image;
}
