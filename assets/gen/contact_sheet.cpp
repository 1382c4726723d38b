// Review sheets: not part of the program, only for looking at the drawings.
#include "contact_sheet.h"

#include "assets/Pictures.h"
#include "pictures.h"
#include "strip.h"

#include <QPainter>

namespace {

constexpr int kSheetWidth = 2200;
constexpr int kPad = 14;
constexpr int kLabel = 18;

QFont LabelFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    return f;
}

}  // namespace

QImage DrawContactSheet()
{
    struct Cell {
        QString label;
        QImage image;
        QRect place;
    };
    std::vector<Cell> cells;
    int x = kPad, y = kPad, rowH = 0;
    for (const PictureSpec& spec : AllPictures()) {
        const QImage img = DrawPicture(QString::fromLatin1(spec.name));
        const int w = img.width() * 4 + kPad;
        const int h = img.height() * 3 + kLabel;
        if (x + w > kSheetWidth && x > kPad) {
            x = kPad;
            y += rowH + kPad;
            rowH = 0;
        }
        cells.push_back({QStringLiteral("%1  %2x%3").arg(QLatin1String(spec.name)).arg(img.width()).arg(img.height()),
                         img, QRect(x, y, w, h)});
        x += w + kPad;
        rowH = std::max(rowH, h);
    }
    QImage sheet(kSheetWidth, y + rowH + kPad, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    QPainter p(&sheet);
    p.setFont(LabelFont());
    for (const Cell& c : cells) {
        p.setPen(QColor(200, 200, 200));
        p.drawText(c.place.topLeft() + QPoint(0, 13), c.label);
        const QPoint at = c.place.topLeft() + QPoint(0, kLabel);
        p.drawImage(at, c.image);
        p.drawImage(QRect(at + QPoint(c.image.width() + kPad, 0), c.image.size() * 3), c.image);
        // Faint frame marks so the picture's bounds can be judged.
        p.setPen(QColor(60, 60, 60));
        p.drawRect(QRect(at + QPoint(c.image.width() + kPad, 0), c.image.size() * 3).adjusted(-1, -1, 0, 0));
    }
    p.end();
    return sheet;
}

QImage DrawContactStrip(const QImage& strip)
{
    constexpr int kZoom = 3;
    constexpr int kPerRow = 5;
    const int cellW = kStripFrameW * kZoom + kPad;
    const int cellH = kStripFrameH * kZoom + kLabel + kPad;
    QImage sheet(kPad + cellW * kPerRow, kPad + cellH * (kStripFrames / kPerRow), QImage::Format_RGB32);
    sheet.fill(QColor(40, 40, 40));
    QPainter p(&sheet);
    p.setFont(LabelFont());
    for (int k = 0; k < kStripFrames; ++k) {
        const QPoint at(kPad + (k % kPerRow) * cellW, kPad + (k / kPerRow) * cellH);
        p.setPen(QColor(220, 220, 220));
        p.drawText(at + QPoint(0, 13), QStringLiteral("frame %1").arg(k));
        const QImage frame = strip.copy(k * kStripFrameW, 0, kStripFrameW, kStripFrameH);
        p.drawImage(QRect(at + QPoint(0, kLabel), frame.size() * kZoom), frame);
    }
    p.end();
    return sheet;
}
