#pragma once
// The preview strip: 20 frames of 100 x 75 side by side, drawn from the
// show's own sprites, and its 24-bit BMP file.

#include <QImage>
#include <QString>

constexpr int kStripFrames = 20;
constexpr int kStripFrameW = 100;
constexpr int kStripFrameH = 75;

QImage DrawStrip();

// 24-bit uncompressed bottom-up Windows bitmap. False on failure.
bool WriteBmp24(const QString& path, const QImage& image);
