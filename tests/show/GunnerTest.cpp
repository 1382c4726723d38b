// "Ricochet Shot": the arm's frames, the recoil, the six legs and four
// ricochets, the banner, on screens of every size from the smallest to the
// largest.
#include "ShowFixture.h"

namespace {

constexpr float kStep = 125;

// What one message pass put on screen: the frames shown (-1 none, -2 more
// than one), the arm's Left and the bullet frame's place.
struct Sample {
  double t;
  int gun = -1, bullet = -1;
  float gunLeft = 0, left = 0, top = 0;
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
    // What each message pass puts on screen, in stretches of passes with the same frames.
    std::vector<std::vector<Sample>> stretches;
    auto shown = [](const std::vector<Image>& frames) {
      int index = -1;
      for (int i = 0; i < static_cast<int>(frames.size()); ++i)
        if (frames[i].Visible()) index = index == -1 ? i : -2;
      return index;
    };
    const double start = host.now;
    Timeline timeline(host, s, 20000, [&] {
      Sample now{host.now, shown(s.gun), shown(s.bullet)};
      if (now.gun >= 0) now.gunLeft = s.gun[now.gun].Left();
      if (now.bullet >= 0) now.left = s.bullet[now.bullet].Left(), now.top = s.bullet[now.bullet].Top();
      if (stretches.empty() || stretches.back()[0].gun != now.gun || stretches.back()[0].bullet != now.bullet)
        stretches.emplace_back();
      stretches.back().push_back(now);
    });
    ASSERT_NO_THROW(Probe().PlayEpisodeGunner()) << "a leg does not end";
    auto end = [&](int stretch) { return stretches[stretch].back(); };

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
        {-1, 0, 0},                                                             // leg 6
    };
    ASSERT_EQ(stretches.size(), std::size(expected));
    for (size_t i = 0; i < stretches.size(); ++i) {
      EXPECT_EQ(std::pair(stretches[i][0].gun, stretches[i][0].bullet), std::pair(expected[i].gun, expected[i].bullet))
          << i;
      if (expected[i].seconds > 0)
        EXPECT_NEAR(end(i).t - (i ? end(i - 1).t : start), expected[i].seconds, 1e-6) << i;
    }
    enum { Aimed = 5, Leg1, Leg2, Swing, Leg3 = 13, Leg4, Leg5, Unfurl, Leg6 = 25 };

    // The recoil: one tick, 75 to the right; the arm back in its place, hidden.
    const std::vector<Sample>& aimed = stretches[Aimed];
    ASSERT_EQ(aimed.size(), 3u);
    EXPECT_EQ(std::tuple(aimed[0].gunLeft, aimed[1].gunLeft, aimed[2].gunLeft, stretches[Leg1][0].gunLeft),
              std::tuple(gun5Left, gun5Left, gun5Left + 75, gun5Left));

    // Each leg starts one step from where the bullet was (the shot: its right
    // edge on the arm's left edge, bottoms level; a ricochet: the step of its
    // new way from the old frame's place), moves by its step and ends at its
    // bound; leg 4 at the top edge on a wide screen, else exactly at the right
    // edge, the top never reached. The arm's swing is the start of leg 3.
    auto within = [](float value, float bound) { return value <= bound && value > bound - kStep; };
    const bool leg4Ends = wide ? within(end(Leg4).top, 0)
                               : within(SW(), end(Leg4).left + s.bullet[1].Width()) && end(Leg4).top > 0;
    using Place = std::pair<float, float>;
    auto at = [&](int n, float dx = 0, float dy = 0) { return Place(end(n).left + dx, end(n).top + dy); };
    const Place muzzle(gun5Left - s.bullet[0].Width(), s.gun[5].Top() + s.gun[5].Height() - s.bullet[0].Height());
    for (auto [first, last, dx, dy, from, ends] : std::vector<std::tuple<int, int, float, float, Place, bool>>{
             {Leg1, Leg1, -kStep, 0, muzzle, within(end(Leg1).left, 0)},
             {Leg2, Leg2, kStep, -kStep, at(Leg1, kStep, -kStep), within(end(Leg2).top, 0)},
             {Swing, Leg3, 0, kStep, at(Leg2, 0, kStep), within(SH() - s.bullet[2].Height(), end(Leg3).top)},
             {Leg4, Leg4, kStep, -kStep, at(Leg3, kStep, -kStep), leg4Ends},
             {Leg5, Leg5, -kStep, 0, at(Leg4, -kStep, 0), within(end(Leg5).left, SW() / 2)},
             {Leg6, Leg6, -kStep, 0, at(Leg5), within(end(Leg6).left + s.bullet[0].Width(), 0)}}) {
      std::vector<Place> path{from};
      for (int i = first; i <= last; ++i)
        for (const Sample& e : stretches[i]) path.emplace_back(e.left, e.top);
      for (size_t i = 1; i < path.size(); ++i)
        EXPECT_EQ(Place(path[i].first - path[i - 1].first, path[i].second - path[i - 1].second), Place(dx, dy))
            << "leg at stretch " << first << ", step " << i;
      EXPECT_TRUE(ends) << "leg at stretch " << first << " ends at " << path.back().first << "," << path.back().second;
    }
    EXPECT_TRUE(s.bullet[0].Visible()) << "left shown beyond the left edge";

    // The banner hangs from the bullet, tops and right edges level: where leg 4
    // ended, at the top edge or below it, so that it is seen.
    for (int k = 3; k <= 7; ++k)
      EXPECT_EQ(std::pair(stretches[Unfurl + k - 3][0].left + s.bullet[k].Width(), stretches[Unfurl + k - 3][0].top),
                std::pair(end(Leg5).left + s.bullet[0].Width(), end(Leg5).top))
          << k;

    // The sounds: the shot with the recoil, a ricochet at the end of each of legs 1 to 4, the banner.
    std::vector<std::pair<std::string, double>> sounds;
    for (const FakeBackend::Effect& e : host.effects) sounds.emplace_back(e.file, e.at);
    EXPECT_EQ(sounds, (std::vector<std::pair<std::string, double>>{
                          {"z_gun.wav", aimed[1].t}, {"z_rico.wav", end(Leg1).t}, {"z_rico.wav", end(Leg2).t},
                          {"z_rico.wav", end(Leg3).t}, {"z_rico.wav", end(Leg4).t}, {"z_scroll.wav", end(Leg5).t}}));
    host.effects.clear();
  }
}

}  // namespace
