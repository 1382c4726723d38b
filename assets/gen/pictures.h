#pragma once
// Every drawing function of the generator, one family per source file.

#include <QImage>
#include <QString>

#include "hero.h"

// hero_walk.cpp: the flag-bearer
QImage DrawWalk(bool facingRight, int frame);   // righty / lefty, 193 x 105
QImage DrawStand();                             // 67 x 182

// hero_run.cpp: the marathon runner
QImage DrawRun(bool facingRight, int frame);    // righter / lefter, 123 x 124

// heads.cpp: the peeking head and the gripping hands
QImage DrawHead(bool upright, Eyes eyes);       // 73 x 104
QImage DrawHand(bool bottomEdge, bool leftHand); // 49 x 22

// gun.cpp and bullet.cpp: the ricochet shot
QImage DrawGun(int frame);
QImage DrawBullet(int frame);

// titles.cpp: title picture (the speech cloud is drawn by assets/Cloud.cpp)
QImage DrawTitle();

// icons.cpp: logo, program icon and dialog icons
QImage DrawLogo();
QImage DrawIcon();
QImage DrawBugIcon();
QImage DrawBugLeft();
QImage DrawBugRight();
QImage DrawMsgIcon();

// registry.cpp: the picture of the given name, or a null image.
QImage DrawPicture(const QString& name);
