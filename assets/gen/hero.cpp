#include "hero.h"

#include "draw.h"

#include <QRadialGradient>
#include <algorithm>
#include <QtMath>
#include <cmath>

namespace {

constexpr double kBodyCY = -50;   // body centre height
constexpr double kBodyRX = 28;
constexpr double kBodyRY = 34;
constexpr double kHipY = -20;
constexpr double kArmLen = 19;

double Dir(const HeroPose& pose)
{
    return pose.facing >= 0 ? 1.0 : -1.0;
}

// Top of the body outline above x (relative to body centre).
double BodyTop(double x, double bodyCY)
{
    const double t = std::clamp(x / kBodyRX, -1.0, 1.0);
    return bodyCY - kBodyRY * std::sqrt(1 - t * t);
}

QPointF ArmHand(QPointF shoulder, double angleDeg, double dir)
{
    const double a = qDegreesToRadians(angleDeg);
    return shoulder + QPointF(dir * std::sin(a) * kArmLen, std::cos(a) * kArmLen);
}

void DrawArm(QPainter& p, QPointF shoulder, double angleDeg, double dir, double ow, bool fist)
{
    const QPointF hand = ArmHand(shoulder, angleDeg, dir);
    p.setPen(QPen(ink::Outline, 6 + 2 * ow, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(shoulder, hand);
    p.setPen(QPen(ink::Body, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(shoulder, hand);
    QPainterPath h;
    h.addEllipse(hand, fist ? 5.2 : 5.6, fist ? 5.2 : 5.0);
    FillOutlined(p, h, ink::BodyLight, ow);
    if (!fist) {  // a little thumb
        QPainterPath t;
        t.addEllipse(hand + QPointF(dir * 4, -3), 2.4, 2.4);
        FillOutlined(p, t, ink::BodyLight, ow * 0.8);
    }
}

void DrawLeg(QPainter& p, QPointF hip, double angleDeg, double lift, double dir, double bootDir, double ow,
             bool shaded = false)
{
    // A lifted foot swings back a little and the knee bends forward.
    const double a = qDegreesToRadians(angleDeg);
    const QPointF foot(hip.x() + dir * (std::sin(a) * 17 - lift * 0.5), -4 - lift);
    const QPointF knee = (hip + foot) / 2 + QPointF(dir * lift * 0.45, 0);
    QPainterPath leg;
    leg.moveTo(hip);
    leg.lineTo(knee);
    leg.lineTo(foot);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink::Outline, 8 + 2 * ow, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(leg);
    p.setPen(QPen(shaded ? ink::BodyShade.darker(160) : ink::BodyShade, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(leg);
    // Boot: a round-toed orange boot with a dark sole.
    QPainterPath boot;
    const QPointF c = foot + QPointF(bootDir * 3.5, 0);
    boot.addRoundedRect(QRectF(c.x() - 8.5, c.y() - 5, 17, 9), 4.5, 4.5);
    FillOutlined(p, boot, shaded ? ink::BootShade : ink::Boot, ow);
    p.setPen(QPen(shaded ? ink::BootShade.darker(150) : ink::BootShade, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-6, 2.5), c + QPointF(6, 2.5));
}

void DrawAntenna(QPainter& p, QPointF base, double facing, double ow)
{
    const double back = -facing * 7;
    QPainterPath stalk;
    stalk.moveTo(base);
    stalk.cubicTo(base + QPointF(back + 9, -6), base + QPointF(back - 9, -10), base + QPointF(back + 1, -17));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink::Outline, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stalk);
    FillOutlined(p, StarPath(base + QPointF(back + 1, -21), 6.2, 2.9, -90 + facing * 8), ink::Star, ow);
}

void DrawCrest(QPainter& p, double bodyCY, double facing, double ow)
{
    const double shift = -facing * 6;
    for (int i = -1; i <= 1; ++i) {
        const double x = shift + i * 10;
        const double y = BodyTop(x, bodyCY) + 3;
        QPainterPath spike;
        spike.moveTo(x - 5, y);
        spike.lineTo(x - facing * 4 + i * 2, y - 11 + std::abs(i) * 2.5);
        spike.lineTo(x + 5, y);
        spike.closeSubpath();
        FillOutlined(p, spike, ink::Crest, ow);
    }
}

void DrawScarfTails(QPainter& p, QPointF knot, double dir, double facing, double wave, double ow)
{
    const double w = std::sin(wave * 2 * M_PI);
    const double w2 = std::cos(wave * 2 * M_PI);
    for (int k = 0; k < 2; ++k) {
        QPainterPath tail;
        if (std::abs(facing) < 0.3) {  // hanging down at the side
            const QPointF a = knot + QPointF(k * 3, 0);
            tail.moveTo(a);
            tail.cubicTo(a + QPointF(4, 6), a + QPointF(-2 + k * 3, 12), a + QPointF(2 + k * 4, 19 - k * 4));
            tail.lineTo(a + QPointF(7 + k * 4, 17 - k * 4));
            tail.cubicTo(a + QPointF(3 + k * 3, 11), a + QPointF(9, 6), a + QPointF(6, 0));
        } else {  // streaming out behind
            const QPointF a = knot + QPointF(0, k * 3);
            const double len = 20 - k * 5;
            const QPointF e = a + QPointF(-dir * len, 5 + k * 3 + w * 3 * (k ? -1 : 1));
            tail.moveTo(a);
            tail.cubicTo(a + QPointF(-dir * len * 0.35, -3 + w2 * 3), a + QPointF(-dir * len * 0.7, 5 - w * 3), e);
            tail.lineTo(e + QPointF(dir * 1, 5));
            tail.cubicTo(a + QPointF(-dir * len * 0.65, 10 - w * 3), a + QPointF(-dir * len * 0.3, 4 + w2 * 3),
                         a + QPointF(0, 5));
            tail.closeSubpath();
        }
        FillOutlined(p, tail, ink::Scarf, ow);
    }
}

}  // namespace

void DrawEye(QPainter& p, QPointF c, double rx, double ry, Eyes state, QPointF look, double outline)
{
    QPainterPath eye;
    eye.addEllipse(c, rx, ry);
    p.save();
    p.setClipPath(eye, Qt::IntersectClip);
    p.fillPath(eye, ink::EyeWhite);
    const QPointF pc = c + QPointF(look.x() * rx * 0.35, look.y() * ry * 0.25);
    const double pr = state == Eyes::Wide ? rx * 0.42 : rx * 0.55;
    p.setPen(Qt::NoPen);
    p.setBrush(ink::Pupil);
    p.drawEllipse(pc, pr, pr * 1.1);
    p.setBrush(ink::White);
    p.drawEllipse(pc + QPointF(-pr * 0.35, -pr * 0.4), pr * 0.32, pr * 0.32);

    // Lids: top lid down to lidTop, bottom lid up to lidBottom.
    double lidTop = c.y() - ry - 1;
    double lidBottom = c.y() + ry + 1;
    if (state == Eyes::Half) {
        lidTop = c.y() - ry * 0.1;
    } else if (state == Eyes::Narrow) {
        lidTop = c.y() - ry * 0.05;
        lidBottom = c.y() + ry * 0.38;
    } else if (state == Eyes::Shut) {
        lidTop = c.y() + ry + 1;
    }
    p.setBrush(ink::Lid);
    if (lidTop > c.y() - ry) {
        p.drawRect(QRectF(c.x() - rx - 1, c.y() - ry - 1, 2 * rx + 2, lidTop - (c.y() - ry - 1)));
    }
    if (lidBottom < c.y() + ry) {
        p.drawRect(QRectF(c.x() - rx - 1, lidBottom, 2 * rx + 2, c.y() + ry + 1 - lidBottom));
    }
    p.setPen(QPen(ink::Outline, outline * 1.1, Qt::SolidLine, Qt::RoundCap));
    if (state == Eyes::Half || state == Eyes::Narrow) {
        p.drawLine(QPointF(c.x() - rx, lidTop), QPointF(c.x() + rx, lidTop));
    }
    if (state == Eyes::Narrow) {
        p.drawLine(QPointF(c.x() - rx, lidBottom), QPointF(c.x() + rx, lidBottom));
    }
    p.restore();
    if (state == Eyes::Shut) {  // a closed, curved lash line
        QPainterPath lash;
        lash.moveTo(c + QPointF(-rx * 0.85, ry * 0.05));
        lash.quadTo(c + QPointF(0, ry * 0.65), c + QPointF(rx * 0.85, ry * 0.05));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink::Outline, outline * 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(lash);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink::Outline, outline));
    p.drawEllipse(c, rx, ry);
}

QPointF HeroNearHand(QPointF feet, double scale, const HeroPose& pose)
{
    const double dir = Dir(pose);
    const double f = std::abs(pose.facing);
    const QPointF shoulder(dir * (22 * (1 - f) - 4 * f), -41 - pose.bob);
    QPointF hand = ArmHand(shoulder, pose.armNear, dir);
    // Lean turns the upper body about the hip.
    const QPointF hip(0, kHipY - pose.bob);
    QTransform t;
    t.translate(hip.x(), hip.y());
    t.rotate(pose.lean * dir);
    t.translate(-hip.x(), -hip.y());
    hand = t.map(hand);
    return feet + hand * scale;
}

void DrawHero(QPainter& p, QPointF feet, double scale, const HeroPose& pose)
{
    p.save();
    p.translate(feet);
    p.scale(scale, scale);
    const double ow = 1.9 / scale;  // about two pixels of outline at any size
    const double dir = Dir(pose);
    const double f = std::abs(pose.facing);
    const bool front = f < 0.3;
    const double bodyCY = kBodyCY - pose.bob;
    const QPointF hip(0, kHipY - pose.bob);

    // Legs: the far one first.
    const double legSpread = front ? 9 : 3;
    const double bootDirFar = front ? -0.6 : dir;
    const double bootDirNear = front ? 0.6 : dir;
    if (!pose.bust) {
        DrawLeg(p, hip + QPointF(front ? -legSpread : -dir * 2, 0), pose.legFar, pose.liftFar, dir, bootDirFar, ow,
                pose.shadeFarLeg);
    }

    p.save();
    p.translate(hip);
    p.rotate(pose.lean * dir);
    p.translate(-hip);

    const QPointF farShoulder(front ? -22 : -dir * 6, -43 - pose.bob);
    const QPointF nearShoulder(dir * (22 * (1 - f) - 4 * f), -41 - pose.bob);
    if (!front && !pose.bust) {
        DrawArm(p, farShoulder, pose.armFar, dir, ow, false);
    }
    if (!pose.bust) DrawScarfTails(p, QPointF(front ? 12 : -dir * 20, -34 - pose.bob), dir, pose.facing, pose.scarfWave, ow);
    DrawAntenna(p, QPointF(pose.facing * 3, bodyCY - kBodyRY + 2), pose.facing, ow);
    DrawCrest(p, bodyCY, pose.facing, ow);

    // Body with soft shading.
    QPainterPath body;
    body.addEllipse(QPointF(0, bodyCY), kBodyRX, kBodyRY);
    QRadialGradient grad(QPointF(-8 + pose.facing * 6, bodyCY - 14), 44);
    grad.setColorAt(0, ink::BodyLight);
    grad.setColorAt(0.45, ink::Body);
    grad.setColorAt(1, ink::BodyShade);
    p.fillPath(body, grad);

    p.save();
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    // Belly patch and the darker spots along the back.
    p.setBrush(ink::Belly);
    p.drawEllipse(QPointF(pose.facing * 8, bodyCY + 17), 17 - f * 2, 16);
    p.setBrush(ink::BodyShade);
    const double sx = front ? 1 : -dir;
    p.drawEllipse(QPointF(sx * 22, bodyCY - 4), 3.2, 4);
    p.drawEllipse(QPointF(sx * 19, bodyCY + 7), 2.4, 3);
    p.drawEllipse(QPointF(sx * 23, bodyCY + 15), 1.8, 2.2);
    if (front) {
        p.drawEllipse(QPointF(-22, bodyCY - 4), 3.2, 4);
        p.drawEllipse(QPointF(-19, bodyCY + 7), 2.4, 3);
    }
    // The scarf wraps round the middle.
    QPainterPath band;
    band.moveTo(-kBodyRX - 2, bodyCY + 11);
    band.quadTo(pose.facing * 10, bodyCY + 22, kBodyRX + 2, bodyCY + 11);
    band.lineTo(kBodyRX + 2, bodyCY + 18);
    band.quadTo(pose.facing * 10, bodyCY + 29, -kBodyRX - 2, bodyCY + 18);
    band.closeSubpath();
    p.setBrush(ink::Scarf);
    p.setPen(QPen(ink::Outline, ow));
    p.drawPath(band);
    p.setPen(QPen(ink::ScarfStripe, 1.6));
    for (int i = -3; i <= 3; ++i) {
        const double x = i * 8 + pose.facing * 4;
        p.drawLine(QPointF(x, bodyCY + 14 + 5 - std::abs(x) * 0.15 + 3), QPointF(x + 3, bodyCY + 13 - std::abs(x) * 0.15 + 3));
    }
    if (pose.headband) {
        QPainterPath hb;
        hb.addRect(QRectF(-kBodyRX - 2, bodyCY - 25, 2 * kBodyRX + 4, 6));
        p.setBrush(ink::Red);
        p.setPen(QPen(ink::Outline, ow));
        p.drawPath(hb);
        p.setPen(QPen(ink::White, 1.4));
        p.drawLine(QPointF(-kBodyRX, bodyCY - 22), QPointF(kBodyRX, bodyCY - 22));
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink::Outline, ow));
    p.drawPath(body);

    // Face: two big eyes and a small toothy grin.
    const double eyeY = bodyCY - 11;
    const double ex = pose.facing * 9;
    const double gap = 10.5 * (1 - 0.2 * f);
    const QPointF look(pose.facing * 0.9, 0.2);
    const double farScale = 1 - 0.18 * f;
    DrawEye(p, QPointF(ex - gap * (front ? 1 : dir), eyeY), 8.5 * (front ? 1 : farScale), 10, pose.eyes, look, ow);
    DrawEye(p, QPointF(ex + gap * (front ? 1 : dir), eyeY), 8.5, 10, pose.eyes, look, ow);
    const QPointF m(pose.facing * 14, bodyCY + (front ? 7 : 4));
    QPainterPath mouth;
    mouth.moveTo(m + QPointF(-7, -1));
    mouth.quadTo(m + QPointF(0, 6), m + QPointF(7, -1));
    mouth.quadTo(m + QPointF(0, 2), m + QPointF(-7, -1));
    FillOutlined(p, mouth, QColor(120, 20, 60), ow * 0.8);
    QPainterPath tooth;
    tooth.addRect(QRectF(m.x() - 1 + pose.facing * 2, m.y() + 0.8, 3, 2.6));
    FillOutlined(p, tooth, ink::White, ow * 0.5);

    if (front && !pose.bust) {
        DrawArm(p, farShoulder, pose.armFar, -1, ow, false);
    }
    p.restore();  // lean
    if (pose.bust) {
        p.restore();
        return;
    }

    DrawLeg(p, hip + QPointF(front ? legSpread : dir * 2, 0), pose.legNear, pose.liftNear, dir, bootDirNear, ow);

    p.save();
    p.translate(hip);
    p.rotate(pose.lean * dir);
    p.translate(-hip);
    DrawArm(p, nearShoulder, pose.armNear, dir, ow, pose.nearHandFist);
    p.restore();

    p.restore();
}
