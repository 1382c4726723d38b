// The marathon runner: three running frames, sweatband on, leaning forward.
#include "draw.h"
#include "pictures.h"

#include <QtMath>
#include <cmath>

QImage DrawRun(bool facingRight, int frame)
{
    QImage image = NewCanvas(123, 124);
    QPainter p;
    BeginPainter(p, image);
    const double ph = 2 * M_PI * frame / 3.0;
    HeroPose pose;
    pose.facing = 1;
    pose.legNear = 48 * std::sin(ph);
    pose.legFar = -pose.legNear;
    pose.liftNear = std::max(0.0, 12 * std::cos(ph));
    pose.liftFar = std::max(0.0, -12 * std::cos(ph));
    pose.bob = 3 + 7 * std::abs(std::sin(ph));
    pose.armNear = 15 - 45 * std::sin(ph);
    pose.armFar = 15 + 45 * std::sin(ph);
    pose.lean = 12;
    pose.headband = true;
    pose.nearHandFist = true;
    pose.scarfWave = frame / 3.0;
    pose.eyes = Eyes::Wide;
    const QPointF feet(66, 121 - pose.bob * 0.6);
    // Speed lines behind the runner.
    p.setPen(QPen(QColor(200, 220, 255, 200), 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        const double y = 48 + i * 14 + (frame % 2) * 3;
        p.drawLine(QPointF(4 + i * 3, y), QPointF(20 + i * 2, y));
    }
    DrawHero(p, feet, 0.93, pose);
    p.end();
    return facingRight ? image : MirroredH(image);
}
