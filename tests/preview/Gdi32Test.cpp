#include "platform/Gdi32.h"

#include <gtest/gtest.h>

#include "tests/common/TempWinDir.h"
#include "tests/preview/StripFixture.h"

namespace {

class Gdi : public testing::Test {
 protected:
  TempWinDir dir;
  QImage window{152, 112, kGdiFormat};
  HDC windowDC = 0;

  void SetUp() override { windowDC = CreateSurfaceDC(&window); }
  void TearDown() override { ReleaseSurfaceDC(windowDC); }
};

TEST_F(Gdi, FramesCopyExactlyInPlaceClippedToBothPictures) {
  ASSERT_TRUE(WriteStrip(dir.File("strip.bmp")));
  std::string stripPath = dir.File("strip.bmp");  // as the program writes it, with backslashes
  for (char& c : stripPath) c = c == '/' ? '\\' : c;
  HDC strip = CreateCompatibleDC(0);
  HANDLE bitmap =
      LoadImageA(0, stripPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE | LR_CREATEDIBSECTION);
  ASSERT_NE(SelectObject(strip, bitmap), 0u);
  EXPECT_FALSE(DeleteObject(bitmap));  // selected: it stays
  struct Case {
    int x, y, srcX;
    QPoint in1, in2, out1, out2;  // two corners of the copied frame, two points just outside
    int frame;                    // -1: nothing copied
  };
  const Case cases[] = {
      {-50, -38, 300, {0, 0}, {49, 36}, {50, 0}, {0, 37}, 3},           // partly left of and above
      {100, 80, 1950, {100, 80}, {149, 111}, {150, 80}, {99, 80}, 19},  // past the window and the strip
      {500, 500, 0, {0, 0}, {151, 111}, {0, 0}, {0, 0}, -1},            // entirely outside
      {0, 0, 2000, {0, 0}, {151, 111}, {0, 0}, {0, 0}, -1},
  };
  for (const Case& c : cases) {
    window.fill(Qt::black);
    ASSERT_TRUE(BitBlt(windowDC, c.x, c.y, 100, 75, strip, c.srcX, 0, SRCCOPY));
    EXPECT_EQ(FrameOf(window.pixel(c.in1)), c.frame) << c.x;
    EXPECT_EQ(FrameOf(window.pixel(c.in2)), c.frame) << c.x;
    EXPECT_EQ(FrameOf(window.pixel(c.out1)) + FrameOf(window.pixel(c.out2)), -2) << c.x;
  }
}

TEST_F(Gdi, FailedLoadsAreQuietAndLeaveNoObjectBehind) {
  const int objects = GdiObjectCount();
  dir.Write("text.bmp", "BM not really a bitmap");
  ASSERT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(dir.File("p.png")), "PNG"));
  for (const std::string& name : {dir.File("text.bmp"), dir.File("p.png")})
    EXPECT_EQ(LoadImageA(0, name.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), 0u) << name;
  EXPECT_EQ(GdiObjectCount(), objects);
}

}  // namespace
