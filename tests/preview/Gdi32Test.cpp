#include "platform/Gdi32.h"

#include <gtest/gtest.h>

#include "tests/common/TempWinDir.h"

namespace {

// A strip file that is no bitmap loads as nothing, quietly and without a
// leftover object.
TEST(Gdi, FailedLoadsAreQuietAndLeaveNoObjectBehind) {
  TempWinDir dir;
  const int objects = GdiObjectCount();
  dir.Write("text.bmp", "BM not really a bitmap");
  ASSERT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(dir.File("p.png")), "PNG"));
  for (const std::string& name : {dir.File("text.bmp"), dir.File("p.png")})
    EXPECT_EQ(LoadImageA(0, name.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), 0u) << name;
  EXPECT_EQ(GdiObjectCount(), objects);
}

}  // namespace
