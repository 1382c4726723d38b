// "Spy From Above": the places from run to run, the slides and the eye
// sequences, with their sounds, faces, ticks and waits.
#include <cmath>
#include <cstdio>
#include <string>

#include "Passes.h"
#include "ShowFixture.h"
#include "Timeline.h"

namespace {

class Above : public ShowFixture {
 protected:
  void SetUp() override {
    ShowFixture::SetUp();
    Starter::Settings.Sound = -1;
  }
  void Stage(int width, int height, int twips) {
    host.screenWidth = width;
    host.screenHeight = height;
    host.twipsX = host.twipsY = twips;
    MakeShow();
    Probe().SetupStage();
  }
  float SW() const { return static_cast<float>(host.screenWidth * host.twipsX); }
};

struct Top {
  double t;
  float top;
};

// The heights a sprite took, in order, from where it was parked.
std::vector<Top> Tops(const Timeline& timeline, const std::string& sprite, float parked) {
  std::vector<Top> tops{{0, parked}};
  for (const Timeline::Event& e : timeline.Of(sprite))
    if (e.top != tops.back().top) tops.push_back({e.t, e.top});
  return tops;
}

// A slide down from one height above the top edge and back up: steps of 35,
// down until the top edge is reached (at most 34 below it), up in as many
// steps to exactly one height above it.
void ExpectSlideDownAndUp(const std::vector<Top>& tops, float height, const char* what) {
  SCOPED_TRACE(what);
  ASSERT_GE(tops.size(), 3u);
  size_t low = 0;
  for (size_t i = 0; i < tops.size(); ++i)
    if (tops[i].top > tops[low].top) low = i;
  EXPECT_GE(tops[low].top, 0);
  EXPECT_LT(tops[low].top, 35);
  EXPECT_EQ(tops.back().top, -height);
  EXPECT_EQ(low, tops.size() - 1 - low) << "as many steps up as down";
  for (size_t i = 1; i < tops.size(); ++i) EXPECT_EQ(std::abs(tops[i].top - tops[i - 1].top), 35) << i;
}

TEST_F(Above, PlacesGoCentreRightLeftCentreAndTheSpritesSlideAndAreParkedAgain) {
  for (auto [w, h, twips] : {std::tuple{1024, 768, 15}, {1366, 768, 12}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    Stage(w, h, twips);
    ScreenSaver& s = *show;
    // Spy From Below leaves the head below the screen with an upright face.
    s.head.SetPicture(s.headd.Picture());
    s.head.SetTop(host.screenHeight * twips);
    const float face = s.head1.Width(), hand = s.handa.Height();
    const int places[] = {2, 3, 1, 2};
    const float draws[] = {0.9f, 0.0f, 0.5f, 0.0f};  // whatever the sequences are
    for (int run = 0; run < 4; ++run) {
      SCOPED_TRACE("run " + std::to_string(run + 1));
      host.draws = {draws[run]};
      Timeline timeline(host, s);
      Probe().PlayEpisodeAbove();

      const std::vector<Timeline::Event> heads = timeline.Of("head");
      ASSERT_FALSE(heads.empty());
      EXPECT_EQ(heads.front().picture, "head1");
      EXPECT_EQ(heads.front().top, -s.head1.Height()) << "re-parked above the top edge";
      const float gapLeft = s.handa.Left() + s.handa.Width();
      EXPECT_FLOAT_EQ(s.handb.Left() - gapLeft, 1.75f * face);
      EXPECT_FLOAT_EQ(s.head.Left() + face / 2, (gapLeft + s.handb.Left()) / 2);
      for (const Timeline::Event& e : heads) EXPECT_EQ(e.left, s.head.Left()) << "the head moves straight";
      switch (places[run]) {
        case 1: EXPECT_EQ(s.handa.Left(), 0); break;
        case 2: EXPECT_FLOAT_EQ((s.handa.Left() + s.handb.Left() + s.handb.Width()) / 2, SW() / 2); break;
        case 3: EXPECT_FLOAT_EQ(s.handb.Left() + s.handb.Width(), SW()); break;
      }

      // The hands come down together, then the head; the head goes up first.
      std::vector<Top> handa = Tops(timeline, "handa", -hand), handb = Tops(timeline, "handb", -hand);
      std::vector<Top> head = Tops(timeline, "head", -s.head1.Height());
      ExpectSlideDownAndUp(handa, hand, "handa");
      ExpectSlideDownAndUp(head, s.head1.Height(), "head");
      ASSERT_EQ(handb.size(), handa.size());
      for (size_t i = 0; i < handa.size(); ++i) {
        EXPECT_EQ(handb[i].t, handa[i].t);
        EXPECT_EQ(handb[i].top, handa[i].top);
      }
      const size_t handsDown = handa.size() / 2;
      EXPECT_GT(head[1].t, handa[handsDown].t);
      EXPECT_LT(head.back().t, handa[handsDown + 1].t);
      EXPECT_TRUE(timeline.Of("cloud").empty());

      // Hidden and parked above the screen.
      for (const Image* sprite : {&s.handa, &s.handb, &s.head}) {
        EXPECT_FALSE(sprite->Visible());
        EXPECT_EQ(sprite->Top(), -sprite->Height());
      }
    }
    EXPECT_EQ(Probe().AbovePlace(), 3);
  }
}

// The eye sequence as a script: a sound and the face change after it, then
// the pause that follows ("tick", "1s", "2s").
std::string EyeScript(const Timeline& timeline, const std::vector<double>& passes, const FakeBackend& host) {
  std::vector<Top> tops = Tops(timeline, "head", -1e9f);
  size_t low = 0;
  for (size_t i = 0; i < tops.size(); ++i)
    if (tops[i].top > tops[low].top) low = i;
  const double down = tops[low].t, up = tops[low + 1].t;
  std::string script;
  auto add = [&](const std::string& token) { script += (script.empty() ? "" : " ") + token; };
  for (size_t i = 1; i < passes.size(); ++i) {
    if (passes[i - 1] < down || passes[i] >= up) continue;
    for (const FakeBackend::Effect& e : host.effects)
      if (e.at == passes[i - 1]) add(e.file == "z_blink.wav" ? "blink" : e.file == "z_squint.wav" ? "squint" : e.file);
    for (const Timeline::Event& e : timeline.Of("head"))
      if (e.t == passes[i] && e.picture.rfind("head", 0) == 0) add(e.picture.substr(4));
    const double pause = passes[i] - passes[i - 1];
    char seconds[16];
    std::snprintf(seconds, sizeof seconds, "%gs", std::round(pause));
    add(std::abs(pause - 0.01) < 1e-6 ? "tick" : seconds);
  }
  return script;
}

TEST_F(Above, EachEyeSequenceHasItsSoundsFacesTicksAndWaitsAtEveryPlace) {
  struct Case {
    float draw;
    std::string script;
  };
  const Case cases[] = {
      {0.0f, "tick blink 3 1s blink 2 tick 4 tick 2 tick 3 1s"},
      {0.33f, "tick blink 3 1s blink 2 tick 4 tick 2 tick 3 1s"},
      {0.34f, "1s squint 2 2s"},
      {0.66f, "1s squint 2 2s"},
      {0.67f, "tick blink 3 1s blink 2 tick 4 tick 2 tick 3 2s blink 2 tick 4 tick 2 tick 3 1s"},
      {0.9999f, "tick blink 3 1s blink 2 tick 4 tick 2 tick 3 2s blink 2 tick 4 tick 2 tick 3 1s"},
  };
  Stage(1024, 768, 15);
  for (const Case& c : cases) {
    for (int place = 0; place < 3; ++place) {
      SCOPED_TRACE(testing::Message() << "draw " << c.draw << ", place " << Probe().AbovePlace());
      host.effects.clear();
      host.draws = {c.draw};
      Timeline timeline(host, *show);
      Passes passes(host, 10000);
      Probe().PlayEpisodeAbove();
      EXPECT_EQ(EyeScript(timeline, passes.times, host), c.script);
      EXPECT_EQ(host.draws.size(), 0u) << "one draw";
      EXPECT_TRUE(timeline.Of("cloud").empty());
    }
  }
}

}  // namespace
