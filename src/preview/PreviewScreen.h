#pragma once
// The preview window: borderless and black, it shows one frame of the strip
// in its middle and moves on to the next frame on every tick of its timer.
// Only the frame's box ever shows anything but black: the window system
// keeps the window black, and a small window of the box's size shows a
// picture of the box. So the last frame stays there between ticks and after
// a repaint, and the cost is the same whatever the size of the window.
#include <QImage>
#include <QTimer>
#include <memory>

#include "platform/Forms.h"
#include "platform/Gdi32.h"

class PreviewScreen : public vb::Form {
  Q_OBJECT
 public:
  PreviewScreen();  // Form_Initialize
  ~PreviewScreen() override;

  QTimer* previewtimer;
  void previewtimer_Timer();

  // The picture of the frame's box.
  const QImage& Picture() const { return picture_; }
  // The frame's box in the client area.
  QRect FrameArea() const { return frameArea_; }

  // The timer's period in milliseconds.
  static constexpr int kTickMs = 170;

 protected:
  void Form_Initialize();
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
  // Nothing of the window is painted by the program itself.
  QPaintEngine* paintEngine() const override { return nullptr; }
  void paintEvent(QPaintEvent*) override {}

 private:
  class FrameBox;
  QRect frameArea_;
  QImage picture_;
  // The window's device context, in client coordinates; it draws on the
  // picture of the frame's box.
  HDC dc_ = 0;
  std::unique_ptr<FrameBox> box_;
};
