#include "assets/Pictures.h"

#include <gtest/gtest.h>
#include <set>
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

TEST(Pictures, NamesAreUniqueAndReachableByResourcePath)
{
    std::set<std::string> names;
    for (const PictureSpec& spec : AllPictures()) {
        EXPECT_TRUE(names.insert(spec.name).second) << spec.name;
        const QImage direct(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(spec.name)));
        EXPECT_EQ(direct.size(), QSize(spec.width, spec.height)) << spec.name;
    }
}

TEST(Pictures, UnknownNameGivesNullImage)
{
    EXPECT_TRUE(LoadPicture("").isNull());
    EXPECT_TRUE(LoadPicture("righty3").isNull());
    EXPECT_TRUE(LoadPicture("Stand").isNull());
    EXPECT_TRUE(LoadPicture("stand.png").isNull());
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

TEST(Pictures, BulletFlyingLeftIsDrawnOnlyInItsRows)
{
    // The show lines the bullet up with the pistol's muzzle by these rows.
    const QImage bullet = LoadPicture("bullet0");
    auto [top, bottom] = DrawnRows(bullet, bullet.width(), 0);
    EXPECT_GE(top, 13);
    EXPECT_LE(bottom, 24);
    EXPECT_GT(bottom, top + 6);
}

TEST(Pictures, LevelPistolMuzzleIsAtTheLeftEndInItsRows)
{
    auto [top, bottom] = DrawnRows(LoadPicture("gun5"), 4, 100);
    EXPECT_GE(top, 158);
    EXPECT_LE(bottom, 170);
    EXPECT_GT(bottom, top + 4);
}

}  // namespace
