#pragma once
// Device contexts and bitmaps in the Windows style, over QImage. A memory
// device context draws on the bitmap selected into it; a surface context
// draws on an image its owner keeps (a window's persistent picture). Every
// image here is 32-bit RGB, so a block copy is a plain copy of scanlines.
#include <QImage>
#include <cstdint>

using HDC = uint32_t;
using HGDIOBJ = uint32_t;
using HBITMAP = uint32_t;
using HANDLE = uint32_t;
using HINSTANCE = uint32_t;

inline constexpr uint32_t IMAGE_BITMAP = 0;
inline constexpr uint32_t LR_LOADFROMFILE = 0x10;
inline constexpr uint32_t LR_DEFAULTSIZE = 0x40;
inline constexpr uint32_t LR_CREATEDIBSECTION = 0x2000;
inline constexpr uint32_t SRCCOPY = 0xCC0020;

// The pixel format of every surface and bitmap.
inline constexpr QImage::Format kGdiFormat = QImage::Format_RGB32;

// A memory device context; it starts with a 1 x 1 black bitmap selected.
// 0 when the process has no room for another object.
HDC CreateCompatibleDC(HDC compatibleWith);
// Loads a bitmap file (program path) at its own size; 0 on any failure,
// and for anything but a regular file of a sane size.
// Only IMAGE_BITMAP with LR_LOADFROMFILE and a size of 0 x 0 is served.
HANDLE LoadImageA(HINSTANCE instance, const char* name, uint32_t type, int cx, int cy, uint32_t flags);
// Selects a bitmap into a memory device context; returns the bitmap it
// replaces, or 0 on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Deletes a bitmap. A bitmap selected into a device context is not deleted:
// the call then fails and the bitmap stays usable.
bool DeleteObject(HGDIOBJ object);
// Copies a width x height block; only SRCCOPY. Clipped to both pictures.
bool BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, uint32_t rop);

// A device context that draws on `surface`, which its owner keeps alive (and
// may re-create at another size, in kGdiFormat) until ReleaseSurfaceDC. The
// surface holds the block of the drawing area whose top-left corner is
// `origin`; drawing outside that block is clipped away.
HDC CreateSurfaceDC(QImage* surface, QPoint origin = QPoint(0, 0));
void ReleaseSurfaceDC(HDC dc);

// The most objects the process may hold at once (device contexts and
// bitmaps together); creation beyond it fails.
void SetGdiObjectLimit(int limit);
int GdiObjectCount();
