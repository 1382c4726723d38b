// The arm that reaches in from the right edge and swings the ray pistol from
// pointing steeply up (frame 0) to level (frame 5).
#include "draw.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QtMath>

namespace {

constexpr int kHeight = 245;
constexpr double kPivotY = 176;      // elbow height; the bore lies 12 px above it when level
constexpr double kPivotFromRight = 30;
constexpr double kReach = 176;       // elbow to muzzle tip
constexpr int kWidths[6] = {102, 133, 159, 181, 197, 207};

// Forearm, hand and pistol in elbow coordinates, pointing along -x.
void DrawForearmAndPistol(QPainter& p)
{
    const double ow = 2;
    // Pistol grip, under the body.
    QPainterPath grip;
    grip.moveTo(-84, -4);
    grip.lineTo(-100, -4);
    grip.lineTo(-104, 22);
    grip.quadTo(-96, 27, -88, 22);
    grip.closeSubpath();
    FillOutlined(p, grip, QColor(90, 40, 130), ow);

    // Forearm with the magenta cuff at the wrist.
    QPainterPath arm;
    arm.addRoundedRect(QRectF(-82, -10, 92, 20), 9, 9);
    FillOutlined(p, arm, ink::Body, ow);
    QPainterPath cuff;
    cuff.addRoundedRect(QRectF(-64, -12, 12, 24), 4, 4);
    FillOutlined(p, cuff, ink::Scarf, ow);

    // Barrel with cooling rings, then the emitter at the muzzle.
    QPainterPath barrel;
    barrel.addRect(QRectF(-166, -18, 40, 12));
    FillOutlined(p, barrel, ink::Metal, ow);
    for (int i = 0; i < 3; ++i) {
        QPainterPath ring;
        ring.addRoundedRect(QRectF(-160 + i * 11, -22, 6, 20), 2, 2);
        FillOutlined(p, ring, ink::MetalDark, 1.5);
    }
    QPainterPath muzzle;
    muzzle.moveTo(-166, -16);
    muzzle.lineTo(-175, -17.5);
    muzzle.lineTo(-175, -6.5);
    muzzle.lineTo(-166, -8);
    muzzle.closeSubpath();
    FillOutlined(p, muzzle, ink::Star, 1.5);

    // Body: a chunky red capsule with a glass dome.
    QPainterPath dome;
    dome.addEllipse(QPointF(-104, -28), 11, 9);
    QRadialGradient glow(QPointF(-107, -31), 10);
    glow.setColorAt(0, QColor(255, 230, 255));
    glow.setColorAt(1, QColor(190, 80, 230));
    FillOutlined(p, dome, glow, ow);
    QPainterPath body;
    body.addRoundedRect(QRectF(-134, -27, 62, 26), 12, 12);
    QLinearGradient shade(0, -27, 0, -1);
    shade.setColorAt(0, QColor(255, 110, 100));
    shade.setColorAt(1, QColor(180, 20, 40));
    FillOutlined(p, body, shade, ow);
    p.save();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(11);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
    const QPainterPath word = TextPath(QStringLiteral("ZAPPIT"), font, QPointF(0, 0));
    const QRectF wb = word.boundingRect();
    p.translate(-103 - wb.center().x(), -14 - wb.center().y());
    p.setPen(QPen(QColor(90, 10, 20), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(word);
    p.fillPath(word, ink::Star);
    p.restore();

    // The hand wrapped round the grip.
    QPainterPath fist;
    fist.addRoundedRect(QRectF(-102, -6, 26, 20), 9, 9);
    FillOutlined(p, fist, ink::BodyLight, ow);
    p.setPen(QPen(ink::BodyShade, 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 2; ++i) {
        p.drawLine(QPointF(-96 + i * 7, 0), QPointF(-96 + i * 7, 10));
    }
    QPainterPath thumb;
    thumb.addEllipse(QPointF(-98, -6), 6, 4);
    FillOutlined(p, thumb, ink::BodyLight, 1.5);
}

// Left end of the drawn arm for a given tilt, in elbow coordinates.
double LeftmostAt(double angleDeg)
{
    QImage probe = NewCanvas(420, 420);
    QPainter p;
    BeginPainter(p, probe);
    p.translate(260, 260);
    p.rotate(angleDeg);
    DrawForearmAndPistol(p);
    p.end();
    for (int x = 0; x < probe.width(); ++x) {
        for (int y = 0; y < probe.height(); ++y) {
            if (qAlpha(probe.pixel(x, y)) > 40) {
                return x - 260;
            }
        }
    }
    return 0;
}

// The tilt at which the arm just reaches the frame's left edge.
double AngleForWidth(int width)
{
    const double want = -(width - kPivotFromRight) + 1;
    double lo = 0, hi = 85;
    for (int i = 0; i < 18; ++i) {
        const double mid = (lo + hi) / 2;
        if (LeftmostAt(mid) < want) {
            lo = mid;  // still sticking out: tilt further up
        } else {
            hi = mid;
        }
    }
    return (lo + hi) / 2;
}

}  // namespace

QImage DrawGun(int frame)
{
    const int width = kWidths[frame];
    QImage image = NewCanvas(width, kHeight);
    QPainter p;
    BeginPainter(p, image);
    const QPointF elbow(width - kPivotFromRight, kPivotY);
    p.save();
    p.translate(elbow);
    p.rotate(frame == 5 ? 0.0 : AngleForWidth(width));
    DrawForearmAndPistol(p);
    p.restore();
    // Upper arm, coming in level from beyond the right edge; its rounded end
    // is the elbow the forearm turns about.
    QPainterPath upper;
    upper.addRoundedRect(QRectF(elbow.x() - 11, elbow.y() - 11, kPivotFromRight + 22, 22), 11, 11);
    FillOutlined(p, upper, ink::Body, 2);
    p.end();
    return image;
}
