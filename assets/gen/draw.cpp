#include "draw.h"

#include <QtMath>

QImage NewCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void BeginPainter(QPainter& p, QImage& image)
{
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

void FillOutlined(QPainter& p, const QPainterPath& path, const QBrush& fill, double outlineWidth)
{
    p.save();
    QPen pen(ink::Outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(outlineWidth > 0 ? pen : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

QPainterPath StarPath(QPointF c, double outer, double inner, double rotationDeg)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        const double a = qDegreesToRadians(rotationDeg + i * 36.0);
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0) {
            path.moveTo(pt);
        } else {
            path.lineTo(pt);
        }
    }
    path.closeSubpath();
    return path;
}

QPainterPath TextPath(const QString& text, const QFont& font, QPointF baseline)
{
    QPainterPath path;
    path.addText(baseline, font, text);
    return path;
}

QImage MirroredH(const QImage& image)
{
    return image.mirrored(true, false);
}

QImage MirroredV(const QImage& image)
{
    return image.mirrored(false, true);
}

QImage Rotated180(const QImage& image)
{
    return image.mirrored(true, true);
}
