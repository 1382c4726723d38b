#include "preview/PreviewScreen.h"

#include <QPainter>
#include <QRasterWindow>
#include <algorithm>
#include <cmath>

#include "platform/Backend.h"
#include "platform/Runtime.h"
#include "platform/VbConv.h"
#include "preview/Preview.h"
#include "startup/Starter.h"
#include "startup/Trap.h"

using namespace Starter;

namespace {
// The window's design client area, in twips.
constexpr double kDesignWidth = 2580, kDesignHeight = 1860;

// The frame's box on the display, in a host of `host` of the display's pixels.
// Where the desktop does not scale, the box where the window's arithmetic
// puts it. On a scaled desktop the box is scaled with it, or less where the
// host is smaller, and centred.
QRect BoxOnDisplay(const QRect& area, QSize host, double ratio) {
  if (ratio == 1.0 || area.isEmpty()) return area;
  const double scale = std::min({ratio, static_cast<double>(host.width()) / area.width(),
                                 static_cast<double>(host.height()) / area.height()});
  const QSize size(std::max(1, static_cast<int>(std::lround(area.width() * scale))),
                   std::max(1, static_cast<int>(std::lround(area.height() * scale))));
  return QRect(QPoint((host.width() - size.width()) / 2, (host.height() - size.height()) / 2), size);
}
}  // namespace

// The window that shows the picture of the frame's box, filling the box's
// place on the display.
class PreviewScreen::FrameBox : public QRasterWindow {
 public:
  FrameBox(QWindow* parent, const QImage* picture, QRect place) : QRasterWindow(parent), picture_(picture), place_(place) {
    Host().PlaceInDevicePixels(this, place);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(1 / vb::Screen::DevicePixelRatio(), 1 / vb::Screen::DevicePixelRatio());
    painter.drawImage(QRect(QPoint(0, 0), place_.size()), *picture_);
  }

 private:
  const QImage* picture_;
  QRect place_;
};

PreviewScreen::PreviewScreen() {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_PaintOnScreen);  // no picture of the whole window
  setAttribute(Qt::WA_NativeWindow);
  setFocusPolicy(Qt::NoFocus);
  resize(vb::TwipsToPixelsX(kDesignWidth), vb::TwipsToPixelsY(kDesignHeight));
  winId();  // the box's window lives inside this one
  Host().PaintBlackBySystem(this);

  previewtimer = new QTimer(this);
  previewtimer->setInterval(kTickMs);
  previewtimer->setTimerType(Qt::PreciseTimer);
  connect(previewtimer, &QTimer::timeout, this, [this] { previewtimer_Timer(); });

  Form_Initialize();
  frameArea_ = QRect(PicX, PicY, FrameW, FrameH);
  if (!frameArea_.isEmpty()) {
    picture_ = QImage(frameArea_.size(), kGdiFormat);
    picture_.fill(Qt::black);
  }
  dc_ = CreateSurfaceDC(&picture_, frameArea_.topLeft());
  if (!picture_.isNull()) {
    const QSize host(PreviewRect.right - PreviewRect.left, PreviewRect.bottom - PreviewRect.top);
    box_ = std::make_unique<FrameBox>(windowHandle(), &picture_,
                                      BoxOnDisplay(frameArea_, host, vb::Screen::DevicePixelRatio()));
    box_->show();
  }
}

// The box goes first: it lives inside the window's own native window.
PreviewScreen::~PreviewScreen() {
  box_.reset();
  ReleaseSurfaceDC(dc_);
}

void PreviewScreen::Form_Initialize() {
  Trapped("PreviewScreen/Form_Initialize", [] {
    SrcX = 0;
    SrcY = 0;
    FrameW = 100;
    FrameH = 75;
    PreviewFrame = 1;
    FrameCount = 20;
    // Centred in single precision, a half going to the even neighbour.
    const float width = static_cast<float>(PreviewRect.right) - static_cast<float>(PreviewRect.left);
    const float height = static_cast<float>(PreviewRect.bottom) - static_cast<float>(PreviewRect.top);
    PicX = vb::CLng(width / 2.0f - 100.0f / 2.0f);
    PicY = vb::CLng(height / 2.0f - static_cast<float>(FrameH) / 2.0f);
  });
}

void PreviewScreen::Form_Load() { previewtimer->start(); }

void PreviewScreen::previewtimer_Timer() {
  Trapped("PreviewScreen/PreviewTimer", [this] {
    PreviewFrame = vb::CInt(PreviewFrame + 1.0);
    if (PreviewFrame >= FrameCount) PreviewFrame = 0;
    BitBlt(dc_, PicX, PicY, FrameW, FrameH, PreviewDC, int32_t{PreviewFrame} * FrameW + SrcX, SrcY,
           SRCCOPY);
    if (box_) box_->update();
  });
}

void PreviewScreen::Form_Unload(int16_t&) {
  X_Cleanup_And_End();
  vb::End(0);  // the common exit came back after reporting an error of its own
}
