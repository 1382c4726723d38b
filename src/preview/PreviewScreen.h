#pragma once
// The preview window: borderless and black, it shows one frame of the strip
// in its middle and moves on to the next frame on every tick of its timer.
// What it shows lives in a picture of its client area, so the last frame
// stays there between ticks and after a repaint.
#include <QImage>
#include <QTimer>

#include "platform/Forms.h"
#include "platform/Gdi32.h"

class PreviewScreen : public vb::Form {
  Q_OBJECT
 public:
  PreviewScreen();  // Form_Initialize
  ~PreviewScreen() override;

  QTimer* previewtimer;
  void previewtimer_Timer();

  // The window's device context: the picture of its client area.
  HDC hDC() const { return dc_; }
  const QImage& Picture() const { return picture_; }

  // The timer's period in milliseconds.
  static constexpr int kTickMs = 170;

 protected:
  void Form_Initialize();
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage picture_;
  HDC dc_ = 0;
};
