// The marathon runner: three running frames, sweatband on, leaning forward.
#include "draw.h"
#include "pictures.h"


QImage DrawRun(bool facingRight, int frame)
{
    QImage image = NewCanvas(123, 124);
    QPainter p;
    BeginPainter(p, image);
    // Contact: the near leg reaches forward to the ground, the far one pushes
    // off behind. Passing: the near leg carries him, the far foot tucks up
    // behind. Flight: the far leg reaches forward, the near foot kicks up
    // behind. The far leg is a tone darker so the two read apart.
    struct Stride {
        double legNear, liftNear, legFar, liftFar, bob, armNear;
    };
    static const Stride strides[3] = {
        {55, 0, -55, 4, 2, -40},
        {0, 0, -20, 17, 6, 10},
        {-55, 10, 85, 4, 5, 60},
    };
    const Stride& s = strides[frame];
    HeroPose pose;
    pose.facing = 1;
    pose.legNear = s.legNear;
    pose.liftNear = s.liftNear;
    pose.legFar = s.legFar;
    pose.liftFar = s.liftFar;
    pose.bob = s.bob;
    pose.armNear = s.armNear;
    pose.armFar = 30 - s.armNear;
    pose.lean = 12;
    pose.headband = true;
    pose.shadeFarLeg = true;
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
