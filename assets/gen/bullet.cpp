// The ricochet bullet in flight and the banner that unrolls out of it.
#include "draw.h"
#include "pictures.h"

#include <QLinearGradient>

namespace {

constexpr double kLen = 29;    // nose to tail
constexpr double kThick = 10;  // with its outline it fills rows 13 to 24 when flying left

QLinearGradient Brass(double thick)
{
    QLinearGradient g(0, -thick / 2, 0, thick / 2);
    g.setColorAt(0, QColor(255, 240, 160));
    g.setColorAt(0.5, QColor(240, 180, 40));
    g.setColorAt(1, QColor(160, 100, 20));
    return g;
}

// The bullet centred on the origin, nose pointing along -x. With open set,
// the nose cap swings up to let the banner out.
void DrawBulletShape(QPainter& p, bool open)
{
    const double h = kThick / 2;
    const double ow = 1.4;
    QPainterPath fin;
    fin.moveTo(kLen / 2 - 6, -h);
    fin.lineTo(kLen / 2, -h);
    fin.lineTo(kLen / 2, h);
    fin.lineTo(kLen / 2 - 6, h);
    fin.closeSubpath();
    FillOutlined(p, fin, ink::Scarf, ow);
    QPainterPath casing;
    casing.addRoundedRect(QRectF(-kLen / 2 + 8, -h + 0.5, kLen - 13, kThick - 1), 2, 2);
    FillOutlined(p, casing, Brass(kThick), ow);
    p.setPen(QPen(QColor(150, 90, 20), 1));
    p.drawLine(QPointF(2, -h + 1.5), QPointF(2, h - 1.5));
    if (!open) {
        QPainterPath nose;
        nose.moveTo(-kLen / 2 + 8, -h + 0.5);
        nose.cubicTo(-kLen / 2 + 2, -h + 0.5, -kLen / 2, -2, -kLen / 2, 0);
        nose.cubicTo(-kLen / 2, 2, -kLen / 2 + 2, h - 0.5, -kLen / 2 + 8, h - 0.5);
        nose.closeSubpath();
        FillOutlined(p, nose, QColor(230, 60, 70), ow);
    } else {
        // Open mouth of the casing, and the cap tipped up on its hinge.
        QPainterPath mouth;
        mouth.addEllipse(QPointF(-kLen / 2 + 8, 0), 2.5, h - 1);
        FillOutlined(p, mouth, ink::Outline, 0.8);
        p.save();
        p.translate(-kLen / 2 + 8, -h + 0.5);
        p.rotate(70);
        QPainterPath cap;
        cap.moveTo(0, 0);
        cap.cubicTo(-6, 0, -8, 3.5, -8, 5);
        cap.cubicTo(-8, 7, -6, 10, 0, 10);
        cap.closeSubpath();
        FillOutlined(p, cap, QColor(230, 60, 70), ow);
        p.restore();
    }
}

// Banner frames: the bullet at the top right, in the same rows as in flight.
QPointF BulletCentre(int frameWidth)
{
    return QPointF(frameWidth - 2 - kLen / 2, 19);
}

void DrawRod(QPainter& p, double leftX, double rightX, double y)
{
    p.setPen(QPen(ink::Outline, 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(leftX, y), QPointF(rightX, y));
    p.setPen(QPen(QColor(200, 200, 220), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(leftX, y), QPointF(rightX, y));
    QPainterPath knob;
    knob.addEllipse(QPointF(leftX, y), 3, 3);
    FillOutlined(p, knob, ink::Star, 1.2);
}

void DrawRoll(QPainter& p, double left, double right, double top, double height)
{
    QPainterPath roll;
    roll.addRoundedRect(QRectF(left, top, right - left, height), height / 2, height / 2);
    QLinearGradient g(0, top, 0, top + height);
    g.setColorAt(0, QColor(255, 250, 225));
    g.setColorAt(1, QColor(210, 190, 140));
    FillOutlined(p, roll, g, 1.5);
}

// Cream cloth hanging from the rod, with the message when there is room.
void DrawCloth(QPainter& p, double left, double right, double top, double bottom, bool withMessage)
{
    QPainterPath cloth;
    cloth.addRect(QRectF(left, top, right - left, bottom - top));
    FillOutlined(p, cloth, QColor(255, 248, 222), 1.6);
    p.setPen(QPen(QColor(230, 60, 130), 2));
    p.drawLine(QPointF(left + 3, top + 4), QPointF(right - 3, top + 4));
    p.drawLine(QPointF(left + 3, bottom - 3), QPointF(right - 3, bottom - 3));
    if (!withMessage) {
        return;
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(19);
    const QStringList lines = {QStringLiteral("ZORVIK"), QStringLiteral("WAS"), QStringLiteral("HERE!")};
    const double lineH = (bottom - top - 14) / lines.size();
    for (int i = 0; i < lines.size(); ++i) {
        QPainterPath text = TextPath(lines[i], font, QPointF(0, 0));
        const QRectF b = text.boundingRect();
        const double s = std::min(1.0, (right - left - 10) / b.width());
        QTransform t;
        t.translate((left + right) / 2, top + 8 + lineH * (i + 0.5));
        t.scale(s, s);
        t.translate(-b.center().x(), -b.center().y());
        text = t.map(text);
        p.setPen(QPen(ink::Outline, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(text);
        p.fillPath(text, i == 1 ? QColor(120, 50, 190) : ink::Red);
    }
    p.fillPath(StarPath(QPointF(left + 7, top + 10), 4, 1.8), ink::Star);
    p.fillPath(StarPath(QPointF(right - 7, bottom - 9), 4, 1.8), ink::Star);
}

}  // namespace

QImage DrawBullet(int frame)
{
    static const QSize sizes[8] = {{33, 100}, {37, 39}, {30, 40}, {34, 31},
                                   {80, 30},  {113, 34}, {115, 68}, {116, 126}};
    const QSize size = sizes[frame];
    QImage image = NewCanvas(size.width(), size.height());
    QPainter p;
    BeginPainter(p, image);
    const QPointF c = BulletCentre(size.width());
    const double noseX = c.x() - kLen / 2 + 8;  // where the rod comes out
    switch (frame) {
    case 0:
        p.translate(c);
        DrawBulletShape(p, false);
        break;
    case 1:  // up and to the right
        p.translate(size.width() / 2.0, size.height() / 2.0);
        p.rotate(135);
        DrawBulletShape(p, false);
        break;
    case 2:  // straight down
        p.translate(size.width() / 2.0, size.height() / 2.0);
        p.rotate(-90);
        DrawBulletShape(p, false);
        break;
    case 3:
        p.translate(c);
        DrawBulletShape(p, true);
        break;
    case 4:
        DrawRod(p, 4, noseX, c.y());
        p.translate(c);
        DrawBulletShape(p, true);
        break;
    case 5:
        DrawRod(p, 4, noseX, c.y());
        DrawRoll(p, 6, noseX - 2, c.y() + 3, 9);
        p.translate(c);
        DrawBulletShape(p, true);
        break;
    case 6:
    case 7: {
        const double bottom = size.height() - 11;
        DrawCloth(p, 8, noseX - 4, c.y() + 2, bottom, frame == 7);
        DrawRod(p, 4, noseX, c.y());
        DrawRoll(p, 6, noseX - 2, bottom - 1, 10);
        p.translate(c);
        DrawBulletShape(p, true);
        break;
    }
    default:
        break;
    }
    p.end();
    return image;
}
