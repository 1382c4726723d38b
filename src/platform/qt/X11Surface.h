#pragma once
// A window's content composed by the X server: every picture is sent once
// and kept there as a pixmap (its colours over black, and a mask where it is
// transparent); a frame is then a few small requests with no reply.
//
// Over black the result is exact, and a picture is simply copied: where no
// two layers meet, each pixel is written once, straight onto the window.
// Where layers meet, the rectangle is composed in a pixmap first and then
// copied, so that nothing half-drawn is seen; an upper picture is clipped to
// its mask there, and a soft edge shows its colour over black.
#include <QString>
#include <map>
#include <memory>
#include <xcb/xcb.h>

#include "platform/Backend.h"

class X11Surface : public ServerSurface {
 public:
  // nullptr unless Qt runs on X11 with a 24-bit true-colour screen of 32-bit
  // pixels in this machine's byte order.
  static std::unique_ptr<X11Surface> Make(QWidget* window);
  ~X11Surface() override;

  void Compose(const QRect& rect, const std::vector<Layer>& layers) override;
  void Flush() override;

 private:
  struct Picture {
    xcb_pixmap_t colours = 0;
    xcb_pixmap_t mask = 0;  // 0: opaque
    xcb_gcontext_t gc = 0;  // clips to the mask, made when first needed
    int width = 0, height = 0;
  };
  X11Surface(QWidget* window, xcb_connection_t* connection, xcb_screen_t* screen);
  // Follows the window's native window and size.
  void Prepare();
  Picture& Find(const Layer& layer);
  Picture Upload(const QImage& image);
  void Fill(xcb_drawable_t drawable, const QRegion& region);
  void Copy(Picture& picture, QPoint at, const QRect& area, bool masked, xcb_drawable_t drawable);
  void PutRows(xcb_drawable_t drawable, xcb_gcontext_t gc, uint8_t depth, int width, int height,
               int stride, const uint8_t* data);
  void FreePictures();

  QWidget* window_;
  xcb_connection_t* c_;
  xcb_screen_t* screen_;
  xcb_window_t target_ = 0;
  xcb_pixmap_t frame_ = 0;
  int frameWidth_ = 0, frameHeight_ = 0;
  xcb_gcontext_t fill_ = 0, copy_ = 0, bits_ = 0;
  xcb_pixmap_t bitsDrawable_ = 0;
  std::map<std::string, Picture> pictures_;
};
