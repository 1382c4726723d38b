// The logo, the program icon and the dialogs' icons.
#include "draw.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace {

// Zorvik's head and shoulders, centred at x with the star tip at top.
void DrawBust(QPainter& p, double x, double top, double scale, Eyes eyes)
{
    HeroPose pose;
    pose.bust = true;
    pose.eyes = eyes;
    DrawHero(p, QPointF(x, top + 105.5 * scale), scale, pose);
}

// A round little glitch-bug: purple shell with yellow dots, six legs and
// curly feelers.
void DrawBug(QPainter& p, QPointF c, double r)
{
    const double ow = std::max(1.2, r / 9);
    p.setPen(QPen(ink::Outline, ow * 1.3, Qt::SolidLine, Qt::RoundCap));
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 3; ++i) {
            const double y = c.y() - r * 0.35 + i * r * 0.45;
            p.drawLine(QPointF(c.x() + side * r * 0.6, y), QPointF(c.x() + side * r * 1.15, y + (i - 1) * r * 0.3 + r * 0.1));
        }
        QPainterPath feeler;
        feeler.moveTo(c.x() + side * r * 0.2, c.y() - r * 0.8);
        feeler.quadTo(c.x() + side * r * 0.3, c.y() - r * 1.3, c.x() + side * r * 0.7, c.y() - r * 1.2);
        p.drawPath(feeler);
    }
    QPainterPath head;
    head.addEllipse(QPointF(c.x(), c.y() - r * 0.7), r * 0.45, r * 0.35);
    FillOutlined(p, head, QColor(60, 30, 80), ow);
    QPainterPath shell;
    shell.addEllipse(c + QPointF(0, r * 0.1), r * 0.75, r * 0.85);
    QRadialGradient g(c + QPointF(-r * 0.3, -r * 0.3), r);
    g.setColorAt(0, QColor(220, 140, 255));
    g.setColorAt(1, QColor(110, 30, 170));
    FillOutlined(p, shell, g, ow);
    p.setPen(QPen(ink::Outline, ow));
    p.drawLine(QPointF(c.x(), c.y() - r * 0.75), QPointF(c.x(), c.y() + r * 0.95));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::Star);
    p.drawEllipse(c + QPointF(-r * 0.38, -r * 0.15), r * 0.16, r * 0.16);
    p.drawEllipse(c + QPointF(r * 0.38, r * 0.05), r * 0.16, r * 0.16);
    p.drawEllipse(c + QPointF(-r * 0.3, r * 0.5), r * 0.12, r * 0.12);
    p.drawEllipse(c + QPointF(r * 0.3, r * 0.55), r * 0.1, r * 0.1);
    // Googly eyes on the head.
    for (int side = -1; side <= 1; side += 2) {
        QPainterPath e;
        e.addEllipse(QPointF(c.x() + side * r * 0.2, c.y() - r * 0.78), r * 0.15, r * 0.15);
        FillOutlined(p, e, ink::White, ow * 0.6);
        p.setPen(Qt::NoPen);
        p.setBrush(ink::Outline);
        p.drawEllipse(QPointF(c.x() + side * r * 0.2 + r * 0.04, c.y() - r * 0.76), r * 0.07, r * 0.07);
    }
}

void NightSky(QPainter& p, QRectF r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(40, 20, 80));
    g.setColorAt(1, QColor(90, 40, 130));
    p.fillRect(r, g);
}

}  // namespace

QImage DrawLogo()
{
    QImage image(38, 39, QImage::Format_RGB32);  // opaque, like the dialog's picture box
    QPainter p;
    BeginPainter(p, image);
    NightSky(p, image.rect());
    p.fillPath(StarPath(QPointF(6, 7), 2.5, 1), ink::Star);
    p.fillPath(StarPath(QPointF(33, 30), 2, 0.8), ink::White);
    DrawBust(p, 19, 1, 0.56, Eyes::Half);
    p.end();
    return image;
}

QImage DrawIcon()
{
    QImage image = NewCanvas(32, 32);
    QPainter p;
    BeginPainter(p, image);
    QPainterPath disc;
    disc.addEllipse(QRectF(1, 1, 30, 30));
    p.save();
    p.setClipPath(disc);
    NightSky(p, image.rect());
    DrawBust(p, 16, 1, 0.45, Eyes::Half);
    p.restore();
    p.setPen(QPen(ink::Outline, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(disc);
    p.end();
    return image;
}

QImage DrawBugIcon()
{
    QImage image = NewCanvas(48, 48);
    QPainter p;
    BeginPainter(p, image);
    DrawBug(p, QPointF(24, 27), 17);
    p.end();
    return image;
}

QImage DrawBugLeft()
{
    // Zorvik, wide-eyed, peering through a magnifying glass. The error
    // window's message overlaps this picture from x = 56 on, so everything
    // stays left of that.
    QImage image = NewCanvas(75, 75);
    QPainter p;
    BeginPainter(p, image);
    DrawBust(p, 25, 4, 0.6, Eyes::Wide);
    p.setPen(QPen(ink::Outline, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(44, 58), QPointF(53, 70));
    p.setPen(QPen(QColor(160, 90, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(44, 58), QPointF(53, 70));
    QPainterPath lens;
    lens.addEllipse(QPointF(40, 51), 10, 10);
    FillOutlined(p, lens, QColor(200, 240, 255, 150), 2.5);
    p.setPen(QPen(ink::White, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(34, 45, 10, 10), 100 * 16, 70 * 16);
    p.end();
    return image;
}

QImage DrawBugRight()
{
    // The error window's edge cuts this picture after its left 46 pixels, so
    // the bug, legs and all, keeps within them; the rest stays transparent.
    QImage image = NewCanvas(75, 75);
    QPainter p;
    BeginPainter(p, image);
    DrawBug(p, QPointF(23, 38), 17);
    p.end();
    return image;
}

QImage DrawMsgIcon()
{
    // A speech balloon with Zorvik's star and three dots.
    QImage image = NewCanvas(48, 48);
    QPainter p;
    BeginPainter(p, image);
    QPainterPath balloon;
    balloon.addRoundedRect(QRectF(3, 5, 42, 30), 10, 10);
    QPainterPath tail;
    tail.moveTo(12, 33);
    tail.lineTo(8, 45);
    tail.lineTo(22, 34);
    tail.closeSubpath();
    balloon = balloon.united(tail);
    FillOutlined(p, balloon, ink::Body, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::White);
    for (int i = 0; i < 3; ++i) {
        p.drawEllipse(QPointF(15 + i * 9, 22), 3, 3);
    }
    FillOutlined(p, StarPath(QPointF(38, 9), 7, 3), ink::Star, 1.5);
    p.end();
    return image;
}
