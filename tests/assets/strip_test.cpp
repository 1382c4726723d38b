#include "data_files.h"

#include <gtest/gtest.h>

namespace {

struct Bmp {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;  // top row first
    uint32_t At(int x, int y) const { return rgb[size_t(y) * width + x]; }
};

// Reads a 24-bit BI_RGB bottom-up bitmap, checking every header field.
Bmp ReadBmp24(const std::vector<uint8_t>& b)
{
    Bmp bmp;
    EXPECT_GE(b.size(), 54u);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        ADD_FAILURE() << "not a bitmap";
        return bmp;
    }
    EXPECT_EQ(LE32(b, 2), b.size());
    const uint32_t offset = LE32(b, 10);
    EXPECT_EQ(LE32(b, 14), 40u);  // BITMAPINFOHEADER
    bmp.width = int(int32_t(LE32(b, 18)));
    bmp.height = int(int32_t(LE32(b, 22)));
    EXPECT_EQ(LE16(b, 26), 1);
    EXPECT_EQ(LE16(b, 28), 24);
    EXPECT_EQ(LE32(b, 30), 0u);  // no compression
    const size_t row = (size_t(bmp.width) * 3 + 3) & ~size_t(3);
    if (bmp.width <= 0 || bmp.height <= 0 || offset + row * bmp.height > b.size()) {
        ADD_FAILURE() << "bad geometry";
        return bmp;
    }
    bmp.rgb.resize(size_t(bmp.width) * bmp.height);
    for (int y = 0; y < bmp.height; ++y) {
        const size_t src = offset + row * (bmp.height - 1 - y);
        for (int x = 0; x < bmp.width; ++x) {
            const size_t p = src + size_t(x) * 3;
            bmp.rgb[size_t(y) * bmp.width + x] = uint32_t(b[p + 2]) << 16 | uint32_t(b[p + 1]) << 8 | b[p];
        }
    }
    return bmp;
}

// Twenty frames of 100 x 75 that all show something, and one after another
// they move (a short hold with the flag is fine).
TEST(PreviewStrip, IsA24BitBitmapOfTwentyFramesThatShowSomethingAndMove)
{
    const Bmp bmp = ReadBmp24(ReadFileBytes(DataPath("Z_Preview.bmp")));
    ASSERT_EQ(bmp.width, 2000);
    ASSERT_EQ(bmp.height, 75);
    int moving = 0;
    for (int k = 0; k < 20; ++k) {
        int lit = 0, changed = 0;
        for (int y = 0; y < 75; ++y) {
            for (int x = 0; x < 100; ++x) {
                const uint32_t c = bmp.At(k * 100 + x, y);
                lit += ((c >> 16 & 0xff) | (c >> 8 & 0xff) | (c & 0xff)) > 60;
                changed += c != bmp.At((k + 1) % 20 * 100 + x, y);
            }
        }
        EXPECT_GT(lit, 300) << "frame " << k;
        moving += changed > 50;
    }
    EXPECT_GE(moving, 14);
}

}  // namespace
