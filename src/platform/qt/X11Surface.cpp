#include "platform/qt/X11Surface.h"

#include <QGuiApplication>
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Pictures kept on the server before they are all dropped and sent anew as
// needed (speech texts come and go).
constexpr size_t kMostPictures = 256;

const xcb_format_t* PixmapFormat(const xcb_setup_t* setup, uint8_t depth) {
  const xcb_format_t* format = xcb_setup_pixmap_formats(setup);
  for (int i = 0; i < xcb_setup_pixmap_formats_length(setup); ++i)
    if (format[i].depth == depth) return &format[i];
  return nullptr;
}

const xcb_visualtype_t* RootVisual(xcb_screen_t* screen) {
  for (auto depth = xcb_screen_allowed_depths_iterator(screen); depth.rem; xcb_depth_next(&depth))
    for (auto visual = xcb_depth_visuals_iterator(depth.data); visual.rem; xcb_visualtype_next(&visual))
      if (visual.data->visual_id == screen->root_visual) return visual.data;
  return nullptr;
}

}  // namespace

std::unique_ptr<X11Surface> X11Surface::Make(QWidget* window) {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return nullptr;
  xcb_connection_t* c = x11->connection();
  const xcb_setup_t* setup = xcb_get_setup(c);
  xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
  const xcb_format_t* colours = PixmapFormat(setup, 24);
  const xcb_format_t* bits = PixmapFormat(setup, 1);
  const xcb_visualtype_t* visual = RootVisual(screen);
  // QImage's 32-bit pixels as they lie in memory on a little-endian machine.
  const bool fits = screen->root_depth == 24 && colours && colours->bits_per_pixel == 32 &&
                    colours->scanline_pad == 32 && bits && bits->bits_per_pixel == 1 &&
                    setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST && visual &&
                    visual->_class == XCB_VISUAL_CLASS_TRUE_COLOR && visual->red_mask == 0xFF0000 &&
                    visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF &&
                    QSysInfo::ByteOrder == QSysInfo::LittleEndian;
  if (!fits) return nullptr;
  return std::unique_ptr<X11Surface>(new X11Surface(window, c, screen));
}

X11Surface::X11Surface(QWidget* window, xcb_connection_t* connection, xcb_screen_t* screen)
    : window_(window), c_(connection), screen_(screen) {}

X11Surface::~X11Surface() {
  FreePictures();
  for (xcb_gcontext_t gc : {fill_, copy_, bits_})
    if (gc) xcb_free_gc(c_, gc);
  if (frame_) xcb_free_pixmap(c_, frame_);
  if (bitsDrawable_) xcb_free_pixmap(c_, bitsDrawable_);
  xcb_flush(c_);
}

void X11Surface::Prepare() {
  // Qt makes the window anew when its flags change (no longer topmost);
  // pixmaps and graphics contexts belong to the screen and stay.
  const auto window = static_cast<xcb_window_t>(window_->winId());
  // The window in the display's own pixels, in which everything is composed.
  const double ratio = window_->devicePixelRatio();
  const int width = std::max(1, static_cast<int>(std::ceil(window_->width() * ratio)));
  const int height = std::max(1, static_cast<int>(std::ceil(window_->height() * ratio)));
  const bool first = !target_;
  target_ = window;
  if (first) {
    // No graphics-exposure events: a copy must not wake anyone.
    const uint32_t black[] = {screen_->black_pixel, 0};
    fill_ = xcb_generate_id(c_);
    xcb_create_gc(c_, fill_, target_, XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES, black);
    const uint32_t quiet[] = {0};
    copy_ = xcb_generate_id(c_);
    xcb_create_gc(c_, copy_, target_, XCB_GC_GRAPHICS_EXPOSURES, quiet);
    bitsDrawable_ = xcb_generate_id(c_);
    xcb_create_pixmap(c_, 1, bitsDrawable_, target_, 1, 1);
    bits_ = xcb_generate_id(c_);
    xcb_create_gc(c_, bits_, bitsDrawable_, XCB_GC_GRAPHICS_EXPOSURES, quiet);
  }
  if (frame_ && width == frameWidth_ && height == frameHeight_) return;
  if (frame_) xcb_free_pixmap(c_, frame_);
  frame_ = xcb_generate_id(c_);
  frameWidth_ = width;
  frameHeight_ = height;
  xcb_create_pixmap(c_, 24, frame_, target_, static_cast<uint16_t>(width), static_cast<uint16_t>(height));
}

X11Surface::Picture& X11Surface::Find(const Layer& layer) {
  auto it = pictures_.find(layer.key);
  if (it == pictures_.end()) {
    if (pictures_.size() >= kMostPictures) FreePictures();
    it = pictures_.emplace(layer.key, Upload(layer.render())).first;
  }
  return it->second;
}

void X11Surface::Fill(xcb_drawable_t drawable, const QRegion& region) {
  std::vector<xcb_rectangle_t> rects;
  for (const QRect& r : region)
    rects.push_back({static_cast<int16_t>(r.x()), static_cast<int16_t>(r.y()), static_cast<uint16_t>(r.width()),
                     static_cast<uint16_t>(r.height())});
  if (!rects.empty()) xcb_poly_fill_rectangle(c_, drawable, fill_, static_cast<uint32_t>(rects.size()), rects.data());
}

void X11Surface::Copy(Picture& picture, QPoint at, const QRect& area, bool masked, xcb_drawable_t drawable) {
  xcb_gcontext_t gc = copy_;
  if (masked && picture.mask) {
    // A clip mask of its own, set once: the server turns a mask into
    // rectangles each time it is given one.
    if (!picture.gc) {
      picture.gc = xcb_generate_id(c_);
      const uint32_t values[] = {0, picture.mask};
      xcb_create_gc(c_, picture.gc, target_, XCB_GC_GRAPHICS_EXPOSURES | XCB_GC_CLIP_MASK, values);
    }
    const uint32_t origin[] = {static_cast<uint32_t>(at.x()), static_cast<uint32_t>(at.y())};
    xcb_change_gc(c_, picture.gc, XCB_GC_CLIP_ORIGIN_X | XCB_GC_CLIP_ORIGIN_Y, origin);
    gc = picture.gc;
  }
  xcb_copy_area(c_, picture.colours, drawable, gc, static_cast<int16_t>(area.x() - at.x()),
                static_cast<int16_t>(area.y() - at.y()), static_cast<int16_t>(area.x()),
                static_cast<int16_t>(area.y()), static_cast<uint16_t>(area.width()),
                static_cast<uint16_t>(area.height()));
}

void X11Surface::Compose(const QRect& rect, const std::vector<Layer>& layers) {
  Prepare();
  if (rect.isEmpty()) return;
  struct Step {
    Picture* picture;
    QPoint at;
    QRect area;
    bool overBlack;  // nothing but black beneath: the colours are the result
  };
  std::vector<Step> steps;
  QRegion black(rect);
  bool layersMeet = false;
  for (const Layer& layer : layers) {
    Picture& picture = Find(layer);
    const QRect area = QRect(layer.at, QSize(picture.width, picture.height)) & layer.area & rect;
    if (area.isEmpty() || !picture.colours) continue;
    const bool overBlack =
        std::none_of(steps.begin(), steps.end(), [&](const Step& s) { return s.area.intersects(area); });
    layersMeet = layersMeet || !overBlack;
    steps.push_back({&picture, layer.at, area, overBlack});
    if (overBlack) black -= area;
  }
  const xcb_drawable_t drawable = layersMeet ? frame_ : target_;
  Fill(drawable, black);
  for (const Step& step : steps) Copy(*step.picture, step.at, step.area, !step.overBlack, drawable);
  if (layersMeet)
    xcb_copy_area(c_, frame_, target_, copy_, static_cast<int16_t>(rect.x()), static_cast<int16_t>(rect.y()),
                  static_cast<int16_t>(rect.x()), static_cast<int16_t>(rect.y()),
                  static_cast<uint16_t>(rect.width()), static_cast<uint16_t>(rect.height()));
}

// The show sleeps outside the event loop: nothing else would send this.
void X11Surface::Flush() { xcb_flush(c_); }

X11Surface::Picture X11Surface::Upload(const QImage& source) {
  Picture picture;
  if (source.isNull()) return picture;
  // Premultiplied colours are the picture over black.
  const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  picture.width = image.width();
  picture.height = image.height();
  picture.colours = xcb_generate_id(c_);
  xcb_create_pixmap(c_, 24, picture.colours, target_, static_cast<uint16_t>(picture.width),
                    static_cast<uint16_t>(picture.height));
  PutRows(picture.colours, copy_, 24, picture.width, picture.height, static_cast<int>(image.bytesPerLine()),
          image.constBits());

  // The mask: every pixel that is not wholly transparent.
  const xcb_setup_t* setup = xcb_get_setup(c_);
  const int pad = setup->bitmap_format_scanline_pad;
  const int stride = (picture.width + pad - 1) / pad * pad / 8;
  const bool lsbFirst = setup->bitmap_format_bit_order == XCB_IMAGE_ORDER_LSB_FIRST;
  std::vector<uint8_t> bits(static_cast<size_t>(stride) * picture.height, 0);
  bool transparent = false;
  for (int y = 0; y < picture.height; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < picture.width; ++x) {
      if (qAlpha(row[x]) == 0) {
        transparent = true;
        continue;
      }
      bits[static_cast<size_t>(y) * stride + x / 8] |=
          static_cast<uint8_t>(lsbFirst ? 1 << (x % 8) : 0x80 >> (x % 8));
    }
  }
  if (transparent) {
    picture.mask = xcb_generate_id(c_);
    xcb_create_pixmap(c_, 1, picture.mask, target_, static_cast<uint16_t>(picture.width),
                      static_cast<uint16_t>(picture.height));
    PutRows(picture.mask, bits_, 1, picture.width, picture.height, stride, bits.data());
  }
  return picture;
}

void X11Surface::PutRows(xcb_drawable_t drawable, xcb_gcontext_t gc, uint8_t depth, int width, int height,
                         int stride, const uint8_t* data) {
  // Each request stays well inside what the server accepts.
  const uint32_t limit = std::min<uint32_t>(xcb_get_maximum_request_length(c_) * 4u, 1u << 20) - 64;
  const int rowsPerPut = std::max(1, static_cast<int>(limit / static_cast<uint32_t>(stride)));
  for (int y = 0; y < height; y += rowsPerPut) {
    const int rows = std::min(rowsPerPut, height - y);
    xcb_put_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, gc, static_cast<uint16_t>(width),
                  static_cast<uint16_t>(rows), 0, static_cast<int16_t>(y), 0, depth,
                  static_cast<uint32_t>(stride) * rows, data + static_cast<size_t>(y) * stride);
  }
}

void X11Surface::FreePictures() {
  for (auto& [key, picture] : pictures_) {
    if (picture.colours) xcb_free_pixmap(c_, picture.colours);
    if (picture.mask) xcb_free_pixmap(c_, picture.mask);
    if (picture.gc) xcb_free_gc(c_, picture.gc);
  }
  pictures_.clear();
}
