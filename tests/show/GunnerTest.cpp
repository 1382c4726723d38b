// "Ricochet Shot": the arm's frames, the recoil, the six legs and four
// ricochets, the banner, on screens of every size from the smallest to the
// largest.
#include <QImage>

#include "ShowFixture.h"

namespace {

constexpr float kStep = 125;

// What one message pass put on screen.
struct Sample {
  double t;
  int gun = -1, bullet = -1;  // the frame shown; -1 none, -2 more than one
  float gunLeft = 0, left = 0, top = 0;  // of the arm and the bullet frame shown
};

// A stretch of passes with the same frames shown, and how long they were on screen.
struct Stretch {
  int gun, bullet;
  std::vector<Sample> samples;
  double seconds = 0;
};

using Gunner = ShowFixture;

// Leg 4 ends at the top edge on screens wider than about 3:2 ("wide"), so that the banner is seen.
TEST_F(Gunner, PathAndFramesAndEveryLegEndingOnScreensOfEverySize) {
  for (auto [width, height, twips, wide] : std::vector<std::tuple<int, int, int, bool>>{
           {320, 200, 15, true}, {640, 480, 15, false}, {800, 600, 12, false}, {1024, 768, 15, false},
           {1280, 1024, 15, false}, {1366, 768, 15, true}, {1920, 1080, 15, true}, {2560, 1080, 15, true},
           {2560, 1600, 10, true}, {3840, 2160, 15, true}, {7680, 4320, 15, true}, {7680, 4320, 8, true}}) {
    SCOPED_TRACE(testing::Message() << width << "x" << height << " at " << twips);
    ScreenSaver& s = Stage(width, height, twips);
    const float gun5Left = s.gun[5].Left();
    for (const Image& frame : s.gun)  // the arm's frames wait flush right, at mid-height
      EXPECT_EQ(std::pair(frame.PixelRect().right() + 1, frame.Top() + frame.Height() / 2), std::pair(width, SH() / 2));
    // What each message pass puts on screen, in stretches of the same frames.
    std::vector<Stretch> stretches;
    double last = host.now;
    auto shown = [](const std::vector<Image>& frames) {
      int index = -1;
      for (int i = 0; i < static_cast<int>(frames.size()); ++i)
        if (frames[i].Visible()) index = index == -1 ? i : -2;
      return index;
    };
    Timeline timeline(host, s, 20000, [&] {
      Sample now{host.now, shown(s.gun), shown(s.bullet)};
      if (now.gun >= 0) now.gunLeft = s.gun[now.gun].Left();
      if (now.bullet >= 0) now.left = s.bullet[now.bullet].Left(), now.top = s.bullet[now.bullet].Top();
      if (stretches.empty() || stretches.back().gun != now.gun || stretches.back().bullet != now.bullet)
        stretches.push_back({now.gun, now.bullet});
      stretches.back().samples.push_back(now);
      stretches.back().seconds += now.t - last, last = now.t;
    });
    ASSERT_NO_THROW(Probe().PlayEpisodeGunner()) << "a leg does not end";

    // The frames {gun, bullet} and how long each stays up (0: as long as the leg takes).
    const double tick = 0.01;
    const struct {
      int gun, bullet;
      double seconds;
    } expected[] = {
        {-1, -1, 4},                                                            // the wait
        {1, -1, tick}, {2, -1, tick}, {3, -1, tick}, {4, -1, tick},             // aiming: gun(0) never stays up
        {5, -1, tick + 1 + tick},                                               // aimed, the wait, the recoil
        {5, 0, 0},     {5, 1, 0},                                               // legs 1 and 2
        {4, 2, tick},  {3, 2, tick}, {2, 2, tick}, {1, 2, tick}, {0, 2, tick},  // the arm swings back
        {-1, 2, 0},    {-1, 1, 0},   {-1, 0, 0},                                // legs 3, 4 and 5
        {-1, 3, tick}, {-1, 4, tick}, {-1, 5, tick}, {-1, 6, tick}, {-1, 7, 6},  // unfurled
        {-1, 6, tick}, {-1, 5, tick}, {-1, 4, 2 * tick}, {-1, 3, tick},          // rolled up
        {-1, 0, -1},                                                            // leg 6
    };
    ASSERT_EQ(stretches.size(), std::size(expected));
    for (size_t i = 0; i < stretches.size(); ++i) {
      EXPECT_EQ(std::pair(stretches[i].gun, stretches[i].bullet), std::pair(expected[i].gun, expected[i].bullet)) << i;
      if (expected[i].seconds > 0) EXPECT_NEAR(stretches[i].seconds, expected[i].seconds, 1e-6) << i;
    }
    enum { Aimed = 5, Leg1, Leg2, Swing, Leg3 = 13, Leg4, Leg5, Unfurl, Held = 20, Leg6 = 25 };
    auto end = [&](int stretch) { return stretches[stretch].samples.back(); };

    // The recoil: one tick, 75 to the right; the arm back in its place, hidden.
    const std::vector<Sample>& aimed = stretches[Aimed].samples;
    ASSERT_EQ(aimed.size(), 3u);
    EXPECT_EQ(std::tuple(aimed[0].gunLeft, aimed[1].gunLeft, aimed[2].gunLeft, stretches[Leg1].samples[0].gunLeft),
              std::tuple(gun5Left, gun5Left, gun5Left + 75, gun5Left));

    // The shot leaves the muzzle: right edge on the arm's left edge, bottoms level.
    const Sample first = stretches[Leg1].samples.front();
    EXPECT_EQ(std::pair(first.left + kStep + s.bullet[0].Width(), first.top + s.bullet[0].Height()),
              std::pair(gun5Left, s.gun[5].Top() + s.gun[5].Height()));

    // Each leg moves by its step and ends at its bound; leg 4 at the top edge
    // on a wide screen, else exactly at the right edge, the top never reached.
    auto within = [](float value, float bound) { return value <= bound && value > bound - kStep; };
    const float right4 = end(Leg4).left + s.bullet[1].Width();
    for (auto [stretch, dx, dy, ends] : std::vector<std::tuple<int, float, float, bool>>{
             {Leg1, -kStep, 0, within(end(Leg1).left, 0)},
             {Leg2, kStep, -kStep, within(end(Leg2).top, 0)},
             {Swing, 0, kStep, stretches[Swing].samples.front().top == end(Leg2).top + 2 * kStep},
             {Leg3, 0, kStep, within(SH() - s.bullet[2].Height(), end(Leg3).top)},
             {Leg4, kStep, -kStep, wide ? within(end(Leg4).top, 0) : within(SW(), right4) && end(Leg4).top > 0},
             {Leg5, -kStep, 0, within(end(Leg5).left, SW() / 2)},
             {Leg6, -kStep, 0, within(end(Leg6).left + s.bullet[0].Width(), 0)}}) {
      std::vector<Sample> path;
      for (int i = stretch; i < (stretch == Swing ? Swing + 5 : stretch + 1); ++i)
        path.insert(path.end(), stretches[i].samples.begin(), stretches[i].samples.end());
      for (size_t i = 1; i < path.size(); ++i)
        EXPECT_EQ(std::pair(path[i].left - path[i - 1].left, path[i].top - path[i - 1].top), std::pair(dx, dy))
            << "leg at stretch " << stretch << ", step " << i;
      EXPECT_TRUE(ends) << "leg at stretch " << stretch << " ends at " << path.back().left << "," << path.back().top;
    }
    EXPECT_TRUE(s.bullet[0].Visible()) << "left shown beyond the left edge";

    // The ricochets place the new frame one step on (and the leg takes one more).
    for (auto [from, to, dx, dy] : {std::tuple{Leg1, Leg2, 2 * kStep, -2 * kStep}, {Leg3, Leg4, 2 * kStep, -2 * kStep},
                                    {Leg4, Leg5, -2 * kStep, 0.f}})
      EXPECT_EQ(std::pair(stretches[to].samples.front().left, stretches[to].samples.front().top),
                std::pair(end(from).left + dx, end(from).top + dy))
          << to;

    // The banner hangs from the bullet, right edges level, wholly seen while it is held.
    const Sample held = stretches[Held].samples.front();
    EXPECT_EQ(std::pair(held.left + s.bullet[7].Width(), held.top),
              std::pair(end(Leg5).left + s.bullet[0].Width(), end(Leg5).top));
    // The top of what the banner shows: its picture has clear rows on top.
    const QImage banner = s.bullet[7].Picture().toImage();
    int clear = banner.height();
    for (int y = banner.height() - 1; y >= 0; --y)
      for (int x = 0; x < banner.width(); ++x)
        if (qGray(banner.pixel(x, y)) > 0) clear = y;
    EXPECT_TRUE(held.top + clear * host.twipsY >= 0 && held.top + s.bullet[7].Height() <= SH() &&
                held.left + s.bullet[7].Width() <= SW());
    for (int k = 3; k <= 7; ++k) EXPECT_EQ(stretches[Unfurl + k - 3].samples.front().top, held.top);

    // The sounds: the shot with the recoil, four ricochets, the banner.
    std::vector<std::string> files;
    for (const FakeBackend::Effect& e : host.effects) files.push_back(e.file);
    EXPECT_EQ(files, (std::vector<std::string>{"z_gun.wav", "z_rico.wav", "z_rico.wav", "z_rico.wav", "z_rico.wav",
                                               "z_scroll.wav"}));
    EXPECT_EQ(std::pair(host.effects[0].at, host.effects[5].at), std::pair(aimed[1].t, end(Leg5).t));
    host.effects.clear();
  }
}

}  // namespace
