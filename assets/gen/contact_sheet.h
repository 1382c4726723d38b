#pragma once

#include <QImage>

// Every picture at 1:1 and 3:1 on black, each with its name and size.
QImage DrawContactSheet();

// The preview strip's frames, enlarged and numbered.
QImage DrawContactStrip(const QImage& strip);
