// The preview: Zorvik walks in over a little planet, plants his flag for a
// moment and walks off; the last frame leads straight back into the first.
#include "strip.h"

#include "draw.h"
#include "pictures.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtMath>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kScale = 0.36;
constexpr int kArriveFrames = 8;   // frames 0..7 walk in
constexpr int kStandFrames = 5;    // frames 8..12 stand

// The little planet's surface height at x.
double GroundY(double x)
{
    const double dx = (x - 50) / 150;
    return 190 - 124 * std::sqrt(1 - dx * dx);
}

// Where the hero stands in frame k: in from the left edge, a stop at the
// middle, then off at the right edge, half of him in view at either end.
double HeroCentre(int k)
{
    if (k < kArriveFrames) {
        return 50 - 6.0 * (kArriveFrames - 1 - k);
    }
    if (k < kArriveFrames + kStandFrames) {
        return 50;
    }
    return 50 + 7.0 * (k - kArriveFrames - kStandFrames + 1);
}

QImage Shrunk(const QImage& sprite)
{
    return sprite.scaled(int(sprite.width() * kScale + 0.5), int(sprite.height() * kScale + 0.5),
                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void DrawBackdrop(QPainter& p, int frame)
{
    p.fillRect(QRect(0, 0, kStripFrameW, kStripFrameH), Qt::black);
    QRandomGenerator rng(7);  // fixed stars; each twinkles a whole number of times per loop
    for (int i = 0; i < 22; ++i) {
        const int x = rng.bounded(kStripFrameW);
        const int y = rng.bounded(50);
        const double phase = rng.bounded(1.0);
        const int cycles = 1 + rng.bounded(2);
        const double glow = 0.55 + 0.45 * std::sin(2 * M_PI * (cycles * frame / double(kStripFrames) + phase));
        const int v = int(90 + 165 * glow);
        p.fillRect(QRect(x, y, 1, 1), QColor(v, v, std::min(255, v + 40)));
    }
    QPainterPath ground;
    ground.addEllipse(QPointF(50, 190), 150, 124);
    QRadialGradient g(QPointF(40, 70), 60);
    g.setColorAt(0, QColor(110, 70, 160));
    g.setColorAt(1, QColor(50, 25, 80));
    p.fillPath(ground, g);
}

}  // namespace

QImage DrawStrip()
{
    QImage walk[3];
    for (int i = 0; i < 3; ++i) {
        walk[i] = Shrunk(DrawWalk(true, i));
    }
    const QImage stand = Shrunk(DrawStand());
    const double walkFeet = 103 * kScale;        // feet row inside a walking frame
    const double standFeet = 179 * kScale;
    const double walkHeroX = 152 * kScale;       // hero's centre inside a walking frame
    const double standHeroX = 36 * kScale;

    QImage strip(kStripFrameW * kStripFrames, kStripFrameH, QImage::Format_RGB32);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (int k = 0; k < kStripFrames; ++k) {
        p.save();
        p.translate(k * kStripFrameW, 0);
        p.setClipRect(0, 0, kStripFrameW, kStripFrameH);
        DrawBackdrop(p, k);
        const double heroX = HeroCentre(k);
        const double feetY = GroundY(heroX) + 1;
        if (k >= kArriveFrames && k < kArriveFrames + kStandFrames) {
            p.drawImage(QPointF(heroX - standHeroX, feetY - standFeet), stand);
        } else {
            p.drawImage(QPointF(heroX - walkHeroX, feetY - walkFeet), walk[k % 3]);
        }
        p.restore();
    }
    p.end();
    return strip;
}

bool WriteBmp24(const QString& path, const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    const int rowBytes = (w * 3 + 3) & ~3;
    const uint32_t dataSize = uint32_t(rowBytes * h);
    QByteArray b;
    auto put16 = [&b](uint16_t v) { b.append(char(v & 0xff)).append(char(v >> 8)); };
    auto put32 = [&put16](uint32_t v) { put16(uint16_t(v & 0xffff)); put16(uint16_t(v >> 16)); };
    b.append("BM");
    put32(14 + 40 + dataSize);
    put32(0);
    put32(14 + 40);
    put32(40);           // BITMAPINFOHEADER
    put32(uint32_t(w));
    put32(uint32_t(h));  // positive: rows stored bottom-up
    put16(1);
    put16(24);
    put32(0);            // BI_RGB, no compression
    put32(dataSize);
    put32(2835);         // 72 dpi
    put32(2835);
    put32(0);
    put32(0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            b.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
        }
        for (int pad = w * 3; pad < rowBytes; ++pad) {
            b.append(char(0));
        }
    }
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(b) == b.size();
}
