#include "platform/Gdi32.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/SafeFile.h"
#include "platform/WinDir.h"

namespace {

constexpr int kDefaultObjectLimit = 10000;

struct Bitmap {
  QImage image;
  HDC selectedInto = 0;
};

struct DeviceContext {
  HBITMAP bitmap = 0;         // memory context: the selected bitmap
  QImage* surface = nullptr;  // surface context: the owner's image
  QPoint origin;              // where the surface lies in the drawing area
};

struct Objects {
  std::unordered_map<uint32_t, Bitmap> bitmaps;
  std::unordered_map<uint32_t, DeviceContext> contexts;
  uint32_t next = 0x100;
  int limit = kDefaultObjectLimit;

  int Count() const { return static_cast<int>(bitmaps.size() + contexts.size()); }
  bool Full() const { return Count() >= limit; }
  uint32_t NewHandle() { return next++; }
};

Objects& Gdi() {
  static Objects objects;
  return objects;
}

HBITMAP NewBitmap(QImage image) {
  Objects& gdi = Gdi();
  if (gdi.Full()) return 0;
  HBITMAP handle = gdi.NewHandle();
  gdi.bitmaps[handle].image = std::move(image);
  return handle;
}

QImage* ImageOf(HDC dc, QPoint& origin) {
  Objects& gdi = Gdi();
  auto it = gdi.contexts.find(dc);
  if (it == gdi.contexts.end()) return nullptr;
  origin = it->second.origin;
  if (it->second.surface) return it->second.surface;
  auto bitmap = gdi.bitmaps.find(it->second.bitmap);
  return bitmap == gdi.bitmaps.end() ? nullptr : &bitmap->second.image;
}

}  // namespace

HDC CreateCompatibleDC(HDC) {
  Objects& gdi = Gdi();
  if (gdi.Count() + 2 > gdi.limit) return 0;
  QImage stock(1, 1, kGdiFormat);
  stock.fill(Qt::black);
  HBITMAP bitmap = NewBitmap(std::move(stock));
  HDC dc = gdi.NewHandle();
  gdi.contexts[dc].bitmap = bitmap;
  gdi.bitmaps[bitmap].selectedInto = dc;
  return dc;
}

HANDLE LoadImageA(HINSTANCE, const char* name, uint32_t type, int cx, int cy, uint32_t flags) {
  if (!name || type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE) || cx != 0 || cy != 0) return 0;
  std::string bytes;
  if (safefile::Read(HostPath(name), safefile::kMaxDataBytes, &bytes).status != safefile::Status::Read) return 0;
  QImage image = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "BMP");
  if (image.isNull()) return 0;
  return NewBitmap(image.convertToFormat(kGdiFormat));
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  Objects& gdi = Gdi();
  auto context = gdi.contexts.find(dc);
  auto bitmap = gdi.bitmaps.find(object);
  if (context == gdi.contexts.end() || context->second.surface || bitmap == gdi.bitmaps.end()) return 0;
  if (bitmap->second.selectedInto && bitmap->second.selectedInto != dc) return 0;  // one context at a time
  HBITMAP old = context->second.bitmap;
  if (auto previous = gdi.bitmaps.find(old); previous != gdi.bitmaps.end()) previous->second.selectedInto = 0;
  context->second.bitmap = object;
  bitmap->second.selectedInto = dc;
  return old;
}

bool DeleteObject(HGDIOBJ object) {
  Objects& gdi = Gdi();
  auto bitmap = gdi.bitmaps.find(object);
  if (bitmap == gdi.bitmaps.end() || bitmap->second.selectedInto) return false;
  gdi.bitmaps.erase(bitmap);
  return true;
}

bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, uint32_t rop) {
  if (rop != SRCCOPY) return false;
  QPoint toOrigin, fromOrigin;
  QImage* to = ImageOf(dest, toOrigin);
  const QImage* from = ImageOf(src, fromOrigin);
  if (!to || !from || to->isNull() || from->isNull() || to->format() != kGdiFormat ||
      from->format() != kGdiFormat)
    return false;
  x -= toOrigin.x();
  y -= toOrigin.y();
  srcX -= fromOrigin.x();
  srcY -= fromOrigin.y();
  // Clip the block to the destination, then to the source, moving both ends alike.
  auto clip = [&](int& d, int& s, int& size, int dLimit, int sLimit) {
    int cut = std::max({0, -d, -s});
    d += cut;
    s += cut;
    size -= cut;
    size = std::min({size, dLimit - d, sLimit - s});
  };
  clip(x, srcX, width, to->width(), from->width());
  clip(y, srcY, height, to->height(), from->height());
  if (width <= 0 || height <= 0) return true;
  const size_t bytes = static_cast<size_t>(width) * 4;
  for (int row = 0; row < height; ++row) {
    const uchar* source = from->constScanLine(srcY + row) + static_cast<size_t>(srcX) * 4;
    uchar* target = to->scanLine(y + row) + static_cast<size_t>(x) * 4;
    std::memmove(target, source, bytes);
  }
  return true;
}

HDC CreateSurfaceDC(QImage* surface, QPoint origin) {
  Objects& gdi = Gdi();
  if (!surface || gdi.Full()) return 0;
  HDC dc = gdi.NewHandle();
  gdi.contexts[dc].surface = surface;
  gdi.contexts[dc].origin = origin;
  return dc;
}

void ReleaseSurfaceDC(HDC dc) {
  Objects& gdi = Gdi();
  auto it = gdi.contexts.find(dc);
  if (it != gdi.contexts.end() && it->second.surface) gdi.contexts.erase(it);
}

void SetGdiObjectLimit(int limit) { Gdi().limit = limit; }
int GdiObjectCount() { return Gdi().Count(); }
