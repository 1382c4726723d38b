#pragma once
// A strip of 20 frames of 100 x 75 pixels, each a solid colour of its own,
// so a pixel tells which frame was drawn.
#include <QImage>
#include <string>

inline QRgb FrameColour(int k) { return qRgb(10 + 10 * k, 240 - 10 * k, (37 * k) % 256); }

// The frame whose colour `pixel` has; -1 for none (black, for instance).
inline int FrameOf(QRgb pixel) {
  for (int k = 0; k < 20; ++k)
    if ((pixel & 0xFFFFFF) == (FrameColour(k) & 0xFFFFFF)) return k;
  return -1;
}

inline bool WriteStrip(const std::string& hostPath) {
  QImage strip(2000, 75, QImage::Format_RGB32);
  for (int k = 0; k < 20; ++k)
    for (int y = 0; y < 75; ++y)
      for (int x = 0; x < 100; ++x) strip.setPixel(100 * k + x, y, FrameColour(k));
  return strip.save(QString::fromStdString(hostPath), "BMP");
}
