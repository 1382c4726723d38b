// "Ricochet Shot": the arm's frames, the recoil, the six legs and four
// ricochets, the banner, on screens of every size from the smallest to the
// largest.
#include <algorithm>
#include <regex>
#include <set>

#include "ShowFixture.h"

namespace {

constexpr float kStep = 125;

using Gunner = ShowFixture;
using Place = std::pair<float, float>;

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
    auto shown = [](const std::vector<Image>& frames) {
      return std::count_if(frames.begin(), frames.end(), [](const Image& frame) { return frame.Visible(); });
    };
    Timeline timeline(host, s, 20000, [&] { ASSERT_LE(std::max(shown(s.gun), shown(s.bullet)), 1) << host.now; });
    const double start = host.now;
    ASSERT_NO_THROW(Probe().PlayEpisodeGunner()) << "a leg does not end";

    // The frames as they come on screen, the arm's recoil by 75 and its way
    // back, the arm gone, the sounds, the waits; a run of ticks: "ticks".
    std::set<std::string> up;
    auto say = [&](const Timeline::Event& e) -> std::string {
      if (!e.visible) return up.erase(e.sprite), e.sprite == "gun0" ? "gone " : "";
      if (up.insert(e.sprite).second) return e.sprite + ' ';
      if (e.sprite != "gun5") return "";
      return e.left == gun5Left ? "back " : e.left == gun5Left + 75 ? "recoil " : "? ";
    };
    EXPECT_EQ(std::regex_replace(timeline.Script(start, host.effects, say), std::regex("(tick ){2,}"), "ticks "),
              "4s gun1 tick gun2 tick gun3 tick gun4 tick gun5 tick 1s gun recoil tick back bullet0 ticks "  // leg 1
              "rico bullet1 ticks "                                                                      // leg 2
              "rico gun4 bullet2 tick gun3 tick gun2 tick gun1 tick gun0 tick gone ticks "               // leg 3
              "rico bullet1 ticks rico bullet0 ticks "                                                   // legs 4, 5
              "scroll bullet3 tick bullet4 tick bullet5 tick bullet6 tick bullet7 6s "
              "bullet6 tick bullet5 tick bullet4 ticks bullet3 tick bullet0 ticks ");  // rolled up, leg 6
    EXPECT_TRUE(s.bullet[0].Visible()) << "left shown beyond the left edge";

    // Where a bullet frame stands at each pass, its n-th time on screen.
    auto path = [&](int frame, int n) {
      std::vector<Place> places;
      int times = -1;
      bool was = false;
      for (const Timeline::Event& e : timeline.Of("bullet" + std::to_string(frame))) {
        times += e.visible && !was, was = e.visible;
        if (e.visible && times == n) places.emplace_back(e.left, e.top);
      }
      return places;
    };
    const std::vector<Place> leg1 = path(0, 0), leg2 = path(1, 0), leg3 = path(2, 0), leg4 = path(1, 1),
                             leg5 = path(0, 1), leg6 = path(0, 2);
    ASSERT_FALSE(leg1.empty() || leg2.empty() || leg3.empty() || leg4.empty() || leg5.empty() || leg6.empty());
    // Each leg starts one step from where the bullet was (the shot: its right
    // edge on the arm's left edge, bottoms level; a ricochet: the step of its
    // new way from the old frame's place), moves by its step and ends at its
    // bound; leg 4 at the top edge on a wide screen, else exactly at the right
    // edge, the top never reached. Leg 3 starts with the arm's swing.
    auto within = [](float value, float bound) { return value <= bound && value > bound - kStep; };
    const bool leg4Ends = wide ? within(leg4.back().second, 0)
                               : within(SW(), leg4.back().first + s.bullet[1].Width()) && leg4.back().second > 0;
    auto at = [](Place p, float dx, float dy) { return Place(p.first + dx, p.second + dy); };
    const Place muzzle(gun5Left - s.bullet[0].Width(), s.gun[5].Top() + s.gun[5].Height() - s.bullet[0].Height());
    for (auto [leg, dx, dy, from, ends] : std::vector<std::tuple<std::vector<Place>, float, float, Place, bool>>{
             {leg1, -kStep, 0, muzzle, within(leg1.back().first, 0)},
             {leg2, kStep, -kStep, at(leg1.back(), kStep, -kStep), within(leg2.back().second, 0)},
             {leg3, 0, kStep, at(leg2.back(), 0, kStep), within(SH() - s.bullet[2].Height(), leg3.back().second)},
             {leg4, kStep, -kStep, at(leg3.back(), kStep, -kStep), leg4Ends},
             {leg5, -kStep, 0, at(leg4.back(), -kStep, 0), within(leg5.back().first, SW() / 2)},
             {leg6, -kStep, 0, leg5.back(), within(leg6.back().first + s.bullet[0].Width(), 0)}}) {
      leg.insert(leg.begin(), from);
      for (size_t i = 1; i < leg.size(); ++i)
        EXPECT_EQ(at(leg[i], -leg[i - 1].first, -leg[i - 1].second), Place(dx, dy)) << "step " << i;
      EXPECT_TRUE(ends) << "ends at " << leg.back().first << "," << leg.back().second;
    }

    // The banner hangs from the bullet, tops and right edges level: where leg 4
    // ended, at the top edge or below it, so that it is seen.
    for (int k = 3; k <= 7; ++k) {
      const Place banner = path(k, 0).front();
      EXPECT_EQ(at(banner, s.bullet[k].Width(), 0), at(leg5.back(), s.bullet[0].Width(), 0)) << k;
    }
    host.effects.clear();
  }
}

}  // namespace
