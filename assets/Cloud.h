#pragma once
// The speech cloud: a puffy balloon whose tail reaches down and to the left,
// towards a speaker on its left. Drawn at scale 1 it is the program's picture
// "cloud", 138 x 102, made for 15 twips per pixel; the show draws it larger
// on a denser screen, where the speech text is larger too. Its outline keeps
// its width at every scale and leaves the picture's top rows clear.

#include <QImage>

QImage DrawCloud(double scaleX, double scaleY);
