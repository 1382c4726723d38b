#pragma once
// Zorvik The Vexling: one figure, drawn from a pose, used by every frame so
// proportions, colours and outline stay the same everywhere.

#include <QPainter>

enum class Eyes { Half, Narrow, Wide, Shut };

struct HeroPose {
    double facing = 0;      // -1 left .. 0 front .. +1 right (shifts face and feet)
    double legNear = 0;     // leg swing in degrees, positive = forward
    double legFar = 0;
    double liftNear = 0;    // foot lift above the ground, in figure units
    double liftFar = 0;
    double armNear = 0;     // arm angle in degrees from hanging down, positive = forward
    double armFar = 0;
    double bob = 0;         // body raised by this many units
    double lean = 0;        // body tilt forward in degrees
    double scarfWave = 0;   // phase of the fluttering scarf tails, 0..1
    bool headband = false;  // the runner's sweatband
    bool shadeFarLeg = false;  // far leg and boot a tone darker, so the legs read apart
    bool nearHandFist = false;
    bool bust = false;      // head and body only: no arms, legs or scarf tails
    Eyes eyes = Eyes::Half;
};

// Figure units: feet on y = 0, top of the antenna star at about y = -106,
// body about 56 units wide. Draws with the painter's current transform plus
// a translation to 'feet' and the given scale.
void DrawHero(QPainter& p, QPointF feet, double scale, const HeroPose& pose);

// Where the near hand ends up (in image coordinates) for the pose.
QPointF HeroNearHand(QPointF feet, double scale, const HeroPose& pose);

// One eye: ellipse at c with radii rx, ry in the eye state; look shifts the pupil.
void DrawEye(QPainter& p, QPointF c, double rx, double ry, Eyes state, QPointF look, double outline);
