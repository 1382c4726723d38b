// The flag-bearer: three walking frames with the flag over the shoulder, and
// the standing pose beside the planted flag.
#include "draw.h"
#include "pictures.h"

#include <QtMath>
#include <cmath>

namespace {

constexpr double kScale = 0.93;

// Zorvik's own banner: a purple cloth with a ringed yellow planet.
void DrawFlagCloth(QPainter& p, QPointF attach, QPointF alongPole, double width, double drop, double wave)
{
    const QPointF down(0, 1);
    const QPointF a = attach;
    const QPointF b = attach + alongPole * width;
    const double w = std::sin(wave * 2 * M_PI) * 3;
    QPainterPath cloth;
    cloth.moveTo(a);
    cloth.cubicTo(a + alongPole * width * 0.33 + QPointF(0, w), a + alongPole * width * 0.66 + QPointF(0, -w), b);
    cloth.lineTo(b + down * drop + QPointF(0, -w * 0.5));
    cloth.cubicTo(b + down * drop - alongPole * width * 0.33 + QPointF(0, -w), a + down * drop + alongPole * width * 0.33 + QPointF(0, w),
                  a + down * drop);
    cloth.closeSubpath();
    FillOutlined(p, cloth, QColor(120, 50, 190), 1.9);

    // The emblem: a planet with a ring and a little star.
    const QPointF c = a + alongPole * width * 0.5 + down * drop * 0.5;
    p.save();
    p.setClipPath(cloth);
    p.setPen(QPen(ink::Star, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, width * 0.32, drop * 0.12);
    QPainterPath planet;
    planet.addEllipse(c, drop * 0.22, drop * 0.22);
    FillOutlined(p, planet, ink::Star, 1.2);
    p.setPen(QPen(ink::Star, 2.2));
    p.drawArc(QRectF(c.x() - width * 0.32, c.y() - drop * 0.12, width * 0.64, drop * 0.24), 180 * 16, 180 * 16);
    p.fillPath(StarPath(c + QPointF(width * 0.3, -drop * 0.3), 3.5, 1.5), ink::White);
    p.restore();
}

void DrawPole(QPainter& p, QPointF from, QPointF to)
{
    p.setPen(QPen(ink::Outline, 5.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(QColor(200, 160, 90), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    QPainterPath knob;
    knob.addEllipse(to, 3.5, 3.5);
    FillOutlined(p, knob, ink::Star, 1.5);
}

HeroPose WalkPose(int frame)
{
    const double ph = 2 * M_PI * frame / 3.0;
    HeroPose pose;
    pose.facing = 1;
    pose.legNear = 28 * std::sin(ph);
    pose.legFar = -pose.legNear;
    pose.liftNear = std::max(0.0, 7 * std::cos(ph));
    pose.liftFar = std::max(0.0, -7 * std::cos(ph));
    pose.bob = 2.5 * std::abs(std::cos(ph));
    pose.armNear = -125;       // reaches back over the shoulder to hold the pole
    pose.armFar = -30 * std::sin(ph);
    pose.lean = 4;
    pose.scarfWave = frame / 3.0;
    pose.nearHandFist = true;
    pose.eyes = Eyes::Half;
    return pose;
}

}  // namespace

QImage DrawWalk(bool facingRight, int frame)
{
    QImage image = NewCanvas(193, 105);
    QPainter p;
    BeginPainter(p, image);
    const QPointF feet(152, 103);
    const HeroPose pose = WalkPose(frame);
    const QPointF hand = HeroNearHand(feet, kScale, pose);
    // The pole rests on the shoulder and trails back and up behind the hero.
    const QPointF dirPole = QPointF(-1, -0.3) / std::hypot(1.0, 0.3);
    const QPointF tip = hand + dirPole * ((hand.x() - 6) / std::abs(dirPole.x()));
    const QPointF front = hand - dirPole * 12;
    DrawFlagCloth(p, tip + QPointF(4, 2), -dirPole, 56, 36, frame / 3.0);
    DrawPole(p, front, tip);
    DrawHero(p, feet, kScale, pose);
    p.end();
    return facingRight ? image : MirroredH(image);
}

QImage DrawStand()
{
    QImage image = NewCanvas(67, 182);
    QPainter p;
    BeginPainter(p, image);
    DrawFlagCloth(p, QPointF(10, 5), QPointF(1, 0), 52, 36, 0.15);
    DrawPole(p, QPointF(9, 181), QPointF(9, 4));
    HeroPose pose;
    pose.facing = 0;
    pose.armFar = 150;  // raised, gripping the pole
    pose.armNear = 6;
    pose.eyes = Eyes::Wide;
    DrawHero(p, QPointF(36, 179), kScale, pose);
    p.end();
    return image;
}
