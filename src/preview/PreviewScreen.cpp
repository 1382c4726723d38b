#include "preview/PreviewScreen.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/Runtime.h"
#include "platform/VbConv.h"
#include "preview/Preview.h"
#include "startup/Starter.h"
#include "startup/Trap.h"

using namespace Starter;

namespace {
// The window's design client area, in twips.
constexpr double kDesignWidth = 2580, kDesignHeight = 1860;
}

PreviewScreen::PreviewScreen() {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers every pixel
  setFocusPolicy(Qt::NoFocus);
  resize(vb::TwipsToPixelsX(kDesignWidth), vb::TwipsToPixelsY(kDesignHeight));
  picture_ = QImage(size(), kGdiFormat);
  picture_.fill(Qt::black);
  dc_ = CreateSurfaceDC(&picture_);

  previewtimer = new QTimer(this);
  previewtimer->setInterval(kTickMs);
  previewtimer->setTimerType(Qt::PreciseTimer);
  connect(previewtimer, &QTimer::timeout, this, [this] { previewtimer_Timer(); });

  Form_Initialize();
}

PreviewScreen::~PreviewScreen() { ReleaseSurfaceDC(dc_); }

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
    update();
  });
}

void PreviewScreen::Form_Unload(int16_t&) {
  X_Cleanup_And_End();
  vb::End(0);  // the common exit came back after reporting an error of its own
}

void PreviewScreen::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect().topLeft(), picture_, event->rect());
}

void PreviewScreen::resizeEvent(QResizeEvent* event) {
  if (size() != picture_.size() && !size().isEmpty()) {
    QImage resized(size(), kGdiFormat);
    resized.fill(Qt::black);
    QPainter(&resized).drawImage(0, 0, picture_);
    picture_ = std::move(resized);  // the same object, so the device context follows
  }
  vb::Form::resizeEvent(event);
}
