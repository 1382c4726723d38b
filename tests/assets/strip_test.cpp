// The preview strip: a 24-bit uncompressed bitmap of twenty 100 x 75 frames
// that all show something, and one after another they move (a short hold
// with the flag is fine).
#include "data_files.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(PreviewStrip, IsA24BitBitmapOfTwentyFramesThatShowSomethingAndMove) {
  const std::vector<uint8_t> b = ReadFileBytes(DataPath("Z_Preview.bmp"));
  ASSERT_GE(b.size(), 54u);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 2), "BM");
  EXPECT_EQ(LE32(b, 2), b.size());
  EXPECT_EQ(LE32(b, 14), 40u);  // BITMAPINFOHEADER
  EXPECT_EQ(int32_t(LE32(b, 18)), 2000);
  EXPECT_EQ(int32_t(LE32(b, 22)), 75);  // bottom-up
  EXPECT_EQ(LE16(b, 26), 1);
  EXPECT_EQ(LE16(b, 28), 24);
  EXPECT_EQ(LE32(b, 30), 0u);  // no compression
  EXPECT_EQ(LE32(b, 10) + 2000 * 3 * 75, b.size());

  const QImage strip = QImage::fromData(b.data(), int(b.size()), "BMP");
  ASSERT_EQ(strip.size(), QSize(2000, 75));
  int moving = 0;
  for (int k = 0; k < 20; ++k) {
    int lit = 0, changed = 0;
    for (int y = 0; y < 75; ++y)
      for (int x = 0; x < 100; ++x) {
        const QRgb c = strip.pixel(k * 100 + x, y);
        lit += (qRed(c) | qGreen(c) | qBlue(c)) > 60;
        changed += c != strip.pixel((k + 1) % 20 * 100 + x, y);
      }
    EXPECT_GT(lit, 300) << "frame " << k;
    moving += changed > 50;
  }
  EXPECT_GE(moving, 14);
}

}  // namespace
