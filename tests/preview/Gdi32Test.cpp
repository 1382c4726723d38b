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
    EXPECT_NE(SelectObject(dc, bitmap), 0u);
    EXPECT_FALSE(DeleteObject(bitmap));  // selected: it stays
    return dc;
  }
};

TEST_F(Gdi, TheBuiltStripLoadsWhole) {
  stripPath = ZENTRAVO_BUILD_DATA_DIR "/Z_Preview.bmp";
  HDC strip = StripDC();
  ASSERT_NE(DeviceContextImage(strip), nullptr);
  EXPECT_EQ(DeviceContextImage(strip)->size(), QSize(2000, 75));
}

TEST_F(Gdi, FramesCopyExactlyInPlaceClippedToBothPictures) {
  HDC strip = StripDC();
  const uchar* before = window.constBits();
  struct Case {
    int x, y, srcX;
    QPoint in1, in2, out1, out2;  // two corners of the copied frame, two points just outside
    int frame;
  };
  const Case cases[] = {
      {-50, -38, 300, {0, 0}, {49, 36}, {50, 0}, {0, 37}, 3},          // partly left of and above
      {100, 80, 1950, {100, 80}, {149, 111}, {150, 80}, {99, 80}, 19},  // past the window and the strip
  };
  for (const Case& c : cases) {
    window.fill(Qt::black);
    ASSERT_TRUE(BitBlt(windowDC, c.x, c.y, 100, 75, strip, c.srcX, 0, SRCCOPY));
    EXPECT_EQ(FrameOf(window.pixel(c.in1)), c.frame) << c.x;
    EXPECT_EQ(FrameOf(window.pixel(c.in2)), c.frame) << c.x;
    EXPECT_TRUE(IsBlack(window.pixel(c.out1))) << c.x;
    EXPECT_TRUE(IsBlack(window.pixel(c.out2))) << c.x;
  }
  // Entirely outside: nothing happens.
  window.fill(Qt::black);
  EXPECT_TRUE(BitBlt(windowDC, 500, 500, 100, 75, strip, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(windowDC, 0, 0, 100, 75, strip, 2000, 0, SRCCOPY));
  EXPECT_TRUE(IsBlack(window.pixel(0, 0)));
  EXPECT_EQ(window.constBits(), before);  // the window's picture is written in place
}

TEST_F(Gdi, FailuresAreQuietAndLeaveNoObjectBehind) {
  const int objects = GdiObjectCount();
  dir.Write("text.bmp", "BM not really a bitmap");
  ASSERT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(dir.File("p.png")), "PNG"));
  for (const std::string& name : {dir.File("missing.bmp"), dir.File("text.bmp"), dir.File("p.png")})
    EXPECT_EQ(LoadImageA(0, name.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), 0u) << name;
  EXPECT_EQ(GdiObjectCount(), objects);

  // A context without the strip copies nothing, and nothing breaks.
  HDC empty = CreateCompatibleDC(0);
  EXPECT_EQ(SelectObject(empty, 0), 0u);
  EXPECT_FALSE(DeleteObject(0));
  EXPECT_TRUE(BitBlt(windowDC, 26, 18, 100, 75, empty, 200, 0, SRCCOPY));
  EXPECT_TRUE(IsBlack(window.pixel(26, 18)));
}

}  // namespace
