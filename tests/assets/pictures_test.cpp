#include "assets/Pictures.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Counts pixels that would show on the black stage.
int VisiblePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) == 255 && (qRed(c) | qGreen(c) | qBlue(c)) > 40) {
                ++count;
            }
        }
    }
    return count;
}

TEST(Pictures, EveryPictureLoadsAtItsExactSizeAndShowsSomething)
{
    ASSERT_EQ(AllPictures().size(), 47u);
    for (const PictureSpec& spec : AllPictures()) {
        SCOPED_TRACE(spec.name);
        const QImage image = LoadPicture(spec.name);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), spec.width);
        EXPECT_EQ(image.height(), spec.height);
        EXPECT_GT(VisiblePixels(image), image.width() * image.height() / 50);
    }
}

TEST(Pictures, FramesOfOneMotionDiffer)
{
    // A walk, a run or a swing whose frames were identical would not move.
    const char* groups[][3] = {{"righty0", "righty1", "righty2"},
                               {"righter0", "righter1", "righter2"},
                               {"heada", "headb", "headc"}};
    for (const auto& g : groups) {
        EXPECT_NE(LoadPicture(g[0]), LoadPicture(g[1])) << g[0];
        EXPECT_NE(LoadPicture(g[1]), LoadPicture(g[2])) << g[1];
        EXPECT_NE(LoadPicture(g[0]), LoadPicture(g[2])) << g[0];
    }
    EXPECT_NE(LoadPicture("headd"), LoadPicture("heada"));
    EXPECT_NE(LoadPicture("head4"), LoadPicture("head1"));
}

TEST(Pictures, LeftFacingFramesMirrorTheRightFacingOnes)
{
    const std::pair<const char*, const char*> pairs[] = {{"righty1", "lefty1"}, {"righter2", "lefter2"}};
    for (const auto& [right, left] : pairs) {
        EXPECT_EQ(LoadPicture(right).mirrored(true, false).convertToFormat(QImage::Format_ARGB32),
                  LoadPicture(left).convertToFormat(QImage::Format_ARGB32))
            << right;
    }
}

// The first and last rows in which columns [0, columns) hold a pixel more
// opaque than `alpha`.
std::pair<int, int> DrawnRows(const QImage& image, int columns, int alpha)
{
    int top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < columns; ++x) {
            if (qAlpha(image.pixel(x, y)) > alpha) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return {top, bottom};
}

TEST(Pictures, BulletAndMuzzleAreDrawnInTheRowsTheShowLinesThemUpBy)
{
    struct Case {
        const char* name;
        int columns, alpha, minTop, maxBottom, minSpan;  // columns 0 = the whole width
    };
    const Case cases[] = {{"bullet0", 0, 0, 13, 24, 6}, {"gun5", 4, 100, 158, 170, 4}};  // the pistol's left end
    for (const Case& c : cases) {
        const QImage image = LoadPicture(c.name);
        auto [top, bottom] = DrawnRows(image, c.columns ? c.columns : image.width(), c.alpha);
        EXPECT_GE(top, c.minTop) << c.name;
        EXPECT_LE(bottom, c.maxBottom) << c.name;
        EXPECT_GT(bottom, top + c.minSpan) << c.name;
    }
}

}  // namespace
