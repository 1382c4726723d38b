// "Ricochet Shot": the arm's frames, the recoil, the six legs and four
// ricochets, the banner; on a 4:3 and a wide screen, and on screens of every
// size from the smallest to the largest, each leg ending.
#include <QImage>
#include <algorithm>
#include <string>

#include "Passes.h"
#include "ShowFixture.h"
#include "Timeline.h"

namespace {

constexpr float kStep = 125;

// What one message pass put on screen.
struct Sample {
  double t;
  int gun = -1, bullet = -1;  // the frame shown; -1 none, -2 more than one
  float gunLeft = 0;
  float left = 0, top = 0;  // of the bullet frame shown
};

// A stretch of passes with the same frames shown.
struct Stretch {
  int gun, bullet;
  std::vector<Sample> samples;
  double seconds;  // how long they were on screen
};

class Gunner : public ShowFixture {
 protected:
  void SetUp() override {
    ShowFixture::SetUp();
    Starter::Settings.Sound = -1;
  }
  void Stage(int width, int height, int twips = 15) {
    host.screenWidth = width;
    host.screenHeight = height;
    host.twipsX = host.twipsY = twips;
    MakeShow();
    Probe().SetupStage();
  }
  float SW() const { return static_cast<float>(host.screenWidth * host.twipsX); }
  float SH() const { return static_cast<float>(host.screenHeight * host.twipsY); }

  Sample Now() const {
    Sample s{host.now};
    for (int i = 0; i < 6; ++i)
      if (show->gun[i].Visible()) s.gun = s.gun == -1 ? i : -2;
    for (int i = 0; i < 8; ++i)
      if (show->bullet[i].Visible()) s.bullet = s.bullet == -1 ? i : -2;
    if (s.gun >= 0) s.gunLeft = show->gun[s.gun].Left();
    if (s.bullet >= 0) s.left = show->bullet[s.bullet].Left(), s.top = show->bullet[s.bullet].Top();
    return s;
  }

  // Plays one run; false when it does not end.
  bool Play() {
    samples.clear();
    host.effects.clear();
    const double start = host.now;
    Passes passes(host, 20000, [this] { samples.push_back(Now()); });
    try {
      Probe().PlayEpisodeGunner();
    } catch (const Runaway&) {
      return false;
    }
    stretches.clear();
    for (const Sample& s : samples) {
      if (stretches.empty() || stretches.back().gun != s.gun || stretches.back().bullet != s.bullet)
        stretches.push_back({s.gun, s.bullet, {}, 0});
      stretches.back().samples.push_back(s);
    }
    // Frames changed after a pass are seen from the next, until the changes after their last.
    for (size_t i = 0; i < stretches.size(); ++i)
      stretches[i].seconds = stretches[i].samples.back().t - (i ? stretches[i - 1].samples.back().t : start);
    return true;
  }

  std::vector<Sample> samples;
  std::vector<Stretch> stretches;
};

// The first row of a picture with anything drawn in it.
int FirstDrawnRow(const QPixmap& picture) {
  QImage image = picture.toImage();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) > 0) return y;
  return image.height();
}

struct Screen {
  int width, height;
  bool leg4EndsAtTheTop;
};

TEST_F(Gunner, PathAndFramesOnAFourByThreeAndAWideScreen) {
  for (const Screen screen : {Screen{1024, 768, false}, Screen{1280, 1024, false}, Screen{1920, 1080, true},
                              Screen{1366, 768, true}}) {
    SCOPED_TRACE(std::to_string(screen.width) + "x" + std::to_string(screen.height));
    Stage(screen.width, screen.height);
    ScreenSaver& s = *show;
    const float gun5Left = s.gun[5].Left();
    ASSERT_TRUE(Play());

    // The frames: {gun, bullet} and how long each stays up (0: the legs, as long as they take).
    struct Expect {
      int gun, bullet;
      double seconds;
    };
    const double tick = 0.01;
    const Expect expected[] = {
        {-1, -1, 4},                                                  // the wait
        {1, -1, tick}, {2, -1, tick}, {3, -1, tick}, {4, -1, tick},  // aiming: gun(0) never stays up
        {5, -1, tick + 1 + tick},                                     // aimed, the wait, the recoil
        {5, 0, 0},  {5, 1, 0},                                        // legs 1 and 2
        {4, 2, tick}, {3, 2, tick}, {2, 2, tick}, {1, 2, tick}, {0, 2, tick},  // the arm swings back
        {-1, 2, 0}, {-1, 1, 0}, {-1, 0, 0},                           // legs 3, 4 and 5
        {-1, 3, tick}, {-1, 4, tick}, {-1, 5, tick}, {-1, 6, tick}, {-1, 7, 6},  // unfurled
        {-1, 6, tick}, {-1, 5, tick}, {-1, 4, 2 * tick}, {-1, 3, tick},          // rolled up
        {-1, 0, -1},                                                  // leg 6
    };
    ASSERT_EQ(stretches.size(), std::size(expected));
    for (size_t i = 0; i < stretches.size(); ++i) {
      const Stretch& got = stretches[i];
      EXPECT_EQ(got.gun, expected[i].gun) << i;
      EXPECT_EQ(got.bullet, expected[i].bullet) << i;
      if (expected[i].seconds > 0) EXPECT_NEAR(got.seconds, expected[i].seconds, 1e-6) << i;
    }
    enum { Aimed = 5, Leg1, Leg2, Swing, Leg3 = 13, Leg4, Leg5, Unfurl, Held = 20, Leg6 = 25 };

    // The recoil: one tick, 75 to the right; every arm frame in its place.
    const std::vector<Sample>& aimed = stretches[Aimed].samples;
    ASSERT_EQ(aimed.size(), 3u);
    EXPECT_EQ(aimed[0].gunLeft, gun5Left);
    EXPECT_EQ(aimed[1].gunLeft, gun5Left);
    EXPECT_EQ(aimed[2].gunLeft, gun5Left + 75);
    EXPECT_EQ(stretches[Leg1].samples[0].gunLeft, gun5Left);
    for (int i = 0; i < 6; ++i) {
      EXPECT_FLOAT_EQ(s.gun[i].Left() + s.gun[i].Width(), SW());
      EXPECT_FALSE(s.gun[i].Visible());
    }
    EXPECT_EQ(Probe().GunFrame(), -1);

    // The shot leaves the muzzle: right edge on the arm's left edge, bottoms level.
    const Sample first = stretches[Leg1].samples.front();
    EXPECT_EQ(first.left + kStep + s.bullet[0].Width(), gun5Left);
    EXPECT_EQ(first.top + s.bullet[0].Height(), s.gun[5].Top() + s.gun[5].Height());

    // Each leg moves by its step and ends at its bound.
    struct Leg {
      int stretch;
      float dx, dy;
    };
    for (Leg leg : {Leg{Leg1, -kStep, 0}, Leg{Leg2, kStep, -kStep}, Leg{Swing, 0, kStep}, Leg{Leg3, 0, kStep},
                    Leg{Leg4, kStep, -kStep}, Leg{Leg5, -kStep, 0}, Leg{Leg6, -kStep, 0}}) {
      std::vector<Sample> path;
      for (int i = leg.stretch; i < (leg.stretch == Swing ? Swing + 5 : leg.stretch + 1); ++i)
        path.insert(path.end(), stretches[i].samples.begin(), stretches[i].samples.end());
      for (size_t i = 1; i < path.size(); ++i) {
        EXPECT_EQ(path[i].left - path[i - 1].left, leg.dx) << "leg at stretch " << leg.stretch << ", step " << i;
        EXPECT_EQ(path[i].top - path[i - 1].top, leg.dy) << "leg at stretch " << leg.stretch << ", step " << i;
      }
    }
    auto end = [&](int stretch) { return stretches[stretch].samples.back(); };
    auto within = [](float value, float bound) { return value <= bound && value > bound - kStep; };
    EXPECT_TRUE(within(end(Leg1).left, 0)) << end(Leg1).left;
    EXPECT_TRUE(within(end(Leg2).top, 0)) << end(Leg2).top;
    EXPECT_EQ(stretches[Swing].samples.front().top, end(Leg2).top + 2 * kStep) << "ricochet 2 and a fall";
    EXPECT_TRUE(within(SH() - s.bullet[2].Height(), end(Leg3).top)) << end(Leg3).top;
    const float right4 = end(Leg4).left + s.bullet[1].Width();
    if (screen.leg4EndsAtTheTop) {
      EXPECT_TRUE(within(end(Leg4).top, 0)) << end(Leg4).top;
      EXPECT_LT(right4, SW());
    } else {
      // Exactly the path to the right edge: the top was never reached.
      EXPECT_TRUE(within(SW(), right4)) << right4;
      EXPECT_GT(end(Leg4).top, 0);
    }
    EXPECT_TRUE(within(end(Leg5).left, SW() / 2)) << end(Leg5).left;
    EXPECT_TRUE(within(end(Leg6).left + s.bullet[0].Width(), 0)) << end(Leg6).left;
    EXPECT_TRUE(s.bullet[0].Visible()) << "left shown beyond the left edge";

    // The ricochets place the new frame one step on (and the leg takes one more).
    struct Ricochet {
      int from, to;
      float dx, dy;
    };
    for (Ricochet r : {Ricochet{Leg1, Leg2, 2 * kStep, -2 * kStep}, Ricochet{Leg3, Leg4, 2 * kStep, -2 * kStep},
                       Ricochet{Leg4, Leg5, -2 * kStep, 0}}) {
      EXPECT_EQ(stretches[r.to].samples.front().left, end(r.from).left + r.dx) << r.to;
      EXPECT_EQ(stretches[r.to].samples.front().top, end(r.from).top + r.dy) << r.to;
    }

    // The banner hangs from the bullet, right edges level, wholly seen while it is held.
    const Sample held = stretches[Held].samples.front();
    EXPECT_EQ(held.left + s.bullet[7].Width(), end(Leg5).left + s.bullet[0].Width());
    EXPECT_EQ(held.top, end(Leg5).top);
    const float drawnTop = held.top + FirstDrawnRow(s.bullet[7].Picture()) * host.twipsY;
    EXPECT_GE(drawnTop, 0);
    EXPECT_GE(held.left, 0);
    EXPECT_LE(held.left + s.bullet[7].Width(), SW());
    EXPECT_LE(held.top + s.bullet[7].Height(), SH());
    for (int k = 3; k <= 7; ++k) EXPECT_EQ(stretches[Unfurl + k - 3].samples.front().top, held.top);

    // The sounds: the shot with the recoil, four ricochets, the banner.
    std::vector<std::string> files;
    for (const FakeBackend::Effect& e : host.effects) files.push_back(e.file);
    EXPECT_EQ(files, (std::vector<std::string>{"z_gun.wav", "z_rico.wav", "z_rico.wav", "z_rico.wav", "z_rico.wav",
                                               "z_scroll.wav"}));
    EXPECT_EQ(host.effects[0].at, aimed[1].t);
    EXPECT_EQ(host.effects[5].at, end(Leg5).t);
  }
}

TEST_F(Gunner, EveryLegEndsOnEveryScreenSize) {
  struct Size {
    int width, height, twips;
  };
  for (Size size : {Size{320, 200, 15}, Size{640, 480, 15}, Size{800, 600, 12}, Size{1024, 768, 15},
                    Size{1280, 1024, 15}, Size{1366, 768, 15}, Size{1920, 1080, 15}, Size{2560, 1080, 15},
                    Size{2560, 1600, 10}, Size{3840, 2160, 15}, Size{7680, 4320, 15}, Size{7680, 4320, 8}}) {
    SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height) + " at " +
                 std::to_string(size.twips));
    Stage(size.width, size.height, size.twips);
    ScreenSaver& s = *show;
    ASSERT_TRUE(Play()) << "a leg does not end";
    // Ends wholly beyond the left edge, the arm gone; the banner was seen.
    EXPECT_TRUE(s.bullet[0].Visible());
    EXPECT_LE(s.bullet[0].Left() + s.bullet[0].Width(), 0);
    EXPECT_GT(s.bullet[0].Left() + s.bullet[0].Width(), -kStep);
    for (const Image& frame : s.gun) EXPECT_FALSE(frame.Visible());
    auto held = std::find_if(stretches.begin(), stretches.end(), [](const Stretch& st) { return st.bullet == 7; });
    ASSERT_NE(held, stretches.end());
    const Sample banner = held->samples.front();
    EXPECT_GE(banner.top + FirstDrawnRow(s.bullet[7].Picture()) * size.twips, 0);
    EXPECT_LE(banner.left + s.bullet[7].Width(), SW());
    // A second run takes the same path; the bullet left beyond the edge
    // comes back only at the muzzle.
    std::vector<Sample> before = samples;
    const float restLeft = s.bullet[0].Left(), restTop = s.bullet[0].Top();
    ASSERT_TRUE(Play());
    ASSERT_EQ(samples.size(), before.size());
    size_t shot = 0;
    while (shot < before.size() && before[shot].bullet != 0) ++shot;
    for (size_t i = 0; i < shot; ++i) {
      EXPECT_EQ(samples[i].bullet, 0);
      EXPECT_EQ(samples[i].left, restLeft);
      EXPECT_EQ(samples[i].top, restTop);
    }
    for (size_t i = shot; i < samples.size(); ++i) {
      EXPECT_EQ(samples[i].left, before[i].left);
      EXPECT_EQ(samples[i].top, before[i].top);
      EXPECT_EQ(samples[i].bullet, before[i].bullet);
    }
  }
}

}  // namespace
