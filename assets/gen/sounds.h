#pragma once

#include <QString>

// Synthesises every sound effect into dir. False if a file cannot be written.
bool WriteSounds(const QString& dir);
