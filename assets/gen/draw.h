#pragma once
// Small drawing helpers and the colours shared by every picture.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace ink {
inline const QColor Outline(24, 16, 40);
inline const QColor Body(38, 178, 160);        // Zorvik's teal skin
inline const QColor BodyShade(22, 120, 112);
inline const QColor BodyLight(120, 226, 200);
inline const QColor Belly(196, 246, 214);
inline const QColor Crest(150, 70, 210);       // the three spikes on the head
inline const QColor Scarf(230, 60, 130);       // magenta scarf
inline const QColor ScarfStripe(255, 210, 80);
inline const QColor Boot(255, 140, 30);
inline const QColor BootShade(190, 90, 20);
inline const QColor Star(255, 220, 60);
inline const QColor EyeWhite(250, 250, 244);
inline const QColor Pupil(70, 30, 110);
inline const QColor Lid(24, 140, 128);
inline const QColor Metal(180, 190, 205);
inline const QColor MetalDark(90, 100, 120);
inline const QColor Red(225, 40, 50);
inline const QColor White(255, 255, 255);
}  // namespace ink

// A fully transparent canvas of the given size.
QImage NewCanvas(int width, int height);

// Starts an antialiased painter on the image.
void BeginPainter(QPainter& p, QImage& image);

// Fills the path with the brush and strokes it with the outline colour.
void FillOutlined(QPainter& p, const QPainterPath& path, const QBrush& fill, double outlineWidth);

// A five-pointed star path centred on c.
QPainterPath StarPath(QPointF c, double outer, double inner, double rotationDeg = -90);

// Text as an outlined path (font family falls back to any installed sans).
QPainterPath TextPath(const QString& text, const QFont& font, QPointF baseline);

// Mirror images used for the left-facing and upside-down variants.
QImage MirroredH(const QImage& image);
QImage MirroredV(const QImage& image);
QImage Rotated180(const QImage& image);
