#include "platform/Gdi32.h"

#include <gtest/gtest.h>

#include "tests/common/TempWinDir.h"
#include "tests/preview/StripFixture.h"

namespace {

class Gdi : public testing::Test {
 protected:
  TempWinDir dir;
  std::string stripPath;  // as the program writes it, with backslashes
  QImage window{152, 112, kGdiFormat};
  HDC windowDC = 0;

  void SetUp() override {
    ASSERT_TRUE(WriteStrip(dir.File("strip.bmp")));
    stripPath = dir.File("strip.bmp");
    for (char& c : stripPath) if (c == '/') c = '\\';
    window.fill(Qt::black);
    windowDC = CreateSurfaceDC(&window);
  }
  void TearDown() override { ReleaseSurfaceDC(windowDC); }

  HDC StripDC() {
    HDC dc = CreateCompatibleDC(0);
    HANDLE bitmap = LoadImageA(0, stripPath.c_str(), IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE | LR_DEFAULTSIZE | LR_CREATEDIBSECTION);
    EXPECT_NE(bitmap, 0u);
    EXPECT_NE(SelectObject(dc, bitmap), 0u);
    EXPECT_FALSE(DeleteObject(bitmap));  // selected: it stays
    return dc;
  }
};

TEST_F(Gdi, StripStaysInItsContextAndFramesCopyExactly) {
  HDC strip = StripDC();
  ASSERT_NE(strip, 0u);
  ASSERT_EQ(DeviceContextImage(strip)->size(), QSize(2000, 75));
  ASSERT_TRUE(BitBlt(windowDC, 26, 18, 100, 75, strip, 7 * 100, 0, SRCCOPY));
  EXPECT_EQ(FrameOf(window.pixel(26, 18)), 7);
  EXPECT_EQ(FrameOf(window.pixel(125, 92)), 7);
  EXPECT_TRUE(IsBlack(window.pixel(25, 18)));
  EXPECT_TRUE(IsBlack(window.pixel(126, 92)));
  EXPECT_TRUE(IsBlack(window.pixel(26, 17)));
  EXPECT_TRUE(IsBlack(window.pixel(26, 93)));
}

TEST_F(Gdi, BlockCopyWritesInPlace) {
  HDC strip = StripDC();
  const uchar* before = window.constBits();
  for (int k = 0; k < 40; ++k) BitBlt(windowDC, 26, 18, 100, 75, strip, (k % 20) * 100, 0, SRCCOPY);
  EXPECT_EQ(window.constBits(), before);
  EXPECT_EQ(FrameOf(window.pixel(50, 50)), 19);
}

TEST_F(Gdi, BlocksAreClippedToBothPictures) {
  HDC strip = StripDC();
  // Partly left of and above the window.
  ASSERT_TRUE(BitBlt(windowDC, -50, -38, 100, 75, strip, 300, 0, SRCCOPY));
  EXPECT_EQ(FrameOf(window.pixel(0, 0)), 3);
  EXPECT_EQ(FrameOf(window.pixel(49, 36)), 3);
  EXPECT_TRUE(IsBlack(window.pixel(50, 0)));
  EXPECT_TRUE(IsBlack(window.pixel(0, 37)));
  // Past the right and bottom edges of the window, and past the end of the strip.
  window.fill(Qt::black);
  ASSERT_TRUE(BitBlt(windowDC, 100, 80, 100, 75, strip, 1950, 0, SRCCOPY));
  EXPECT_EQ(FrameOf(window.pixel(100, 80)), 19);
  EXPECT_EQ(FrameOf(window.pixel(149, 111)), 19);
  EXPECT_TRUE(IsBlack(window.pixel(150, 80)));
  // Entirely outside: nothing happens.
  window.fill(Qt::black);
  EXPECT_TRUE(BitBlt(windowDC, 500, 500, 100, 75, strip, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(windowDC, 0, 0, 100, 75, strip, 2000, 0, SRCCOPY));
  EXPECT_TRUE(IsBlack(window.pixel(0, 0)));
}

TEST_F(Gdi, FailuresAreQuietAndLeaveNoObjectBehind) {
  const int objects = GdiObjectCount();
  EXPECT_EQ(LoadImageA(0, (dir.Path() + "/missing.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), 0u);
  dir.Write("text.bmp", "BM not really a bitmap");
  EXPECT_EQ(LoadImageA(0, dir.File("text.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), 0u);
  ASSERT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(dir.File("p.png")), "PNG"));
  EXPECT_EQ(LoadImageA(0, dir.File("p.png").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), 0u);
  EXPECT_EQ(GdiObjectCount(), objects);

  // A context without the strip copies nothing useful, and nothing breaks.
  HDC empty = CreateCompatibleDC(0);
  EXPECT_EQ(SelectObject(empty, 0), 0u);
  EXPECT_FALSE(DeleteObject(0));
  EXPECT_TRUE(BitBlt(windowDC, 26, 18, 100, 75, empty, 200, 0, SRCCOPY));
  EXPECT_TRUE(IsBlack(window.pixel(26, 18)));
  EXPECT_FALSE(BitBlt(windowDC, 0, 0, 10, 10, 0xdead, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(windowDC, 0, 0, 10, 10, empty, 0, 0, 0x00330008));  // only SRCCOPY
}

TEST_F(Gdi, ObjectsBeyondTheLimitAreRefused) {
  SetGdiObjectLimit(GdiObjectCount() + 1);  // room for a bitmap, not for a context with its bitmap
  EXPECT_EQ(CreateCompatibleDC(0), 0u);
  SetGdiObjectLimit(10000);
  EXPECT_NE(CreateCompatibleDC(0), 0u);
}

TEST_F(Gdi, UnselectedBitmapIsDeleted) {
  HDC dc = CreateCompatibleDC(0);
  HANDLE first = LoadImageA(0, stripPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
  HANDLE second = LoadImageA(0, stripPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
  ASSERT_NE(SelectObject(dc, first), 0u);
  EXPECT_EQ(SelectObject(dc, second), first);  // swapped out, so free again
  EXPECT_TRUE(DeleteObject(first));
  EXPECT_FALSE(DeleteObject(first));
  EXPECT_FALSE(DeleteObject(second));
}

}  // namespace
