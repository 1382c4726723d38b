// The two spy episodes, mirror images of each other: Spy From Below rises
// over the bottom edge at the places left, centre, right; Spy From Above
// comes down from the top edge at centre, right, left. The hands slide in,
// then the head; the eyes play a sequence; the head slides out, then the hands.
#include <sstream>

#include "ShowFixture.h"

namespace {

using Event = Timeline::Event;

struct Spy {
  const char* name;
  void (ShowProbe::*play)();
  const char *left, *right;  // the hands
  bool below;
  const char* face;  // the first one
  int places[3];     // over three runs from a new stage
  int sequences;
  std::vector<std::string> scripts;  // of each sequence; "run": the blink run, "speak": the cloud
  const char* run;
};

const Spy kBelow{"Below", &ShowProbe::PlayEpisodeBelow, "hand1", "hand2", true, "a", {1, 2, 3}, 7,
                 {"2s squint b speak", "2s squint b speak", "blink tick c 1s blink run 1s", "1s squint b 2s",
                  "blink tick c 1s blink run speak", "blink c 1s blink run 2s blink run 1s",
                  "blink c 1s blink run 2s blink run speak"},
                 "b tick d tick b tick c"};
const Spy kAbove{"Above", &ShowProbe::PlayEpisodeAbove, "handa", "handb", false, "1", {2, 3, 1}, 3,
                 {"tick blink 3 1s run 1s", "1s squint 2 2s", "tick blink 3 1s run 2s run 1s"},
                 "blink 2 tick 4 tick 2 tick 3"};

void PrintTo(const Spy& spy, std::ostream* os) { *os << spy.name; }

class Spies : public ShowFixture, public testing::WithParamInterface<Spy> {
 protected:
  // How far a sprite reaches into the screen from the spy's edge.
  float Depth(const Event& e, float height) const { return GetParam().below ? SH() - e.top : e.top + height; }
};

// The eye sequence as a script, from the head's arrival to its first step
// out: the effects played, then the faces and the cloud (shown or hidden)
// that the next pass puts on screen, then how long it took ("tick", "1s").
std::string EyeScript(const Timeline& timeline, const std::vector<FakeBackend::Effect>& effects) {
  const std::vector<Event> head = timeline.Of("head");
  double in = 0, out = 0;  // the longest time between two of the head's steps
  for (size_t i = 1, j = 0; i < head.size(); ++i)
    if (head[i].top != head[j].top) {
      if (head[i].t - head[j].t > out - in) in = head[j].t, out = head[i].t;
      j = i;
    }
  std::string face;  // on screen at the arrival
  for (const Event& e : head)
    if (e.t <= in) face = e.picture;
  std::ostringstream script;
  const std::vector<double>& passes = timeline.passes;
  for (size_t i = 1; i < passes.size(); ++i) {
    if (passes[i - 1] < in || passes[i] > out) continue;
    for (const FakeBackend::Effect& e : effects)
      if (e.at == passes[i - 1]) script << e.file.substr(2, e.file.size() - 6) << ' ';
    for (const Event& e : timeline.events) {
      if (e.t != passes[i]) continue;
      if (e.sprite == "head" && e.picture != face) script << (face = e.picture).substr(4) << ' ';
      if (e.sprite == "cloud") script << (e.visible ? "cloud " : "-cloud ");
    }
    if (passes[i] == out) break;
    const double pause = passes[i] - passes[i - 1];
    script << (pause < 0.5 ? "tick" : std::to_string(static_cast<int>(pause + 0.5)) + "s") << ' ';
  }
  return script.str();
}

// Run after run from a new stage, each sequence drawn at both ends of its
// share of the draws: the next place in turn, the hands and the head sliding
// in and out strictly, and the eye sequence between.
TEST_P(Spies, RunAfterRunTheNextPlaceTheSlidesAndEachEyeSequence) {
  const Spy& spy = GetParam();
  ScreenSaver& s = Stage(1366, 768, 12);
  const float hand = s.hand1.Width(), face = s.heada.Width(), gap = 1.75f * face, group = 2 * hand + gap;
  // In by 35 twips a tick until wholly on screen, out by as many steps.
  auto Slide = [](float height) {
    std::vector<float> depths{0};
    while (depths.back() < height) depths.push_back(depths.back() + 35);
    for (size_t i = depths.size() - 1; i-- > 0;) depths.push_back(depths[i]);
    return depths;
  };
  int run = 0;
  for (int sequence = 1; sequence <= spy.sequences; ++sequence)
    for (float edge : {0.001f, 0.999f})
      for (int i = 0; i < 3; ++i, ++run) {
        const int place = spy.places[run % 3];
        SCOPED_TRACE(testing::Message() << "sequence " << sequence << " at place " << place << ", edge " << edge);
        // The head left where and as the other spy leaves it; speech case 1: 6 s, then 2 s.
        s.head.SetPicture((spy.below ? s.head3 : s.headd).Picture());
        s.head.Move(5000, spy.below ? -s.head.Height() : SH());
        host.draws = {(sequence - 1 + edge) / spy.sequences, 0.01f};
        host.effects.clear();
        Timeline timeline(host, s);
        const double start = host.now;
        (Probe().*spy.play)();
        const float groupLeft = place == 1 ? 0 : place == 2 ? (SW() - group) / 2 : SW() - group;
        const std::vector<Event> left = timeline.Of(spy.left), right = timeline.Of(spy.right), head = timeline.Of("head");
        ASSERT_EQ(left.size(), right.size());
        ASSERT_FALSE(head.empty());
        EXPECT_EQ(head.front().picture, std::string("head") + spy.face);
        EXPECT_EQ(Depth(head.front(), s.head.Height()), 0) << "parked again before it comes in";
        // The steps of hands (H) and head (h) in turn, a tick apart but for the eyes (a space).
        std::string steps;
        std::vector<float> handDepths{0}, headDepths{0};
        double last = start + 4;
        for (const Event& e : timeline.events) {
          const bool isHand = e.sprite == spy.left, isHead = e.sprite == "head";
          if (!isHand && !isHead) continue;
          EXPECT_EQ(e.left, isHand ? groupLeft : groupLeft + hand + gap / 2 - face / 2) << e;
          std::vector<float>& depths = isHand ? handDepths : headDepths;
          const float depth = Depth(e, isHand ? s.hand1.Height() : s.head.Height());
          if (depth == depths.back()) continue;
          EXPECT_TRUE(e.visible || depth == 0) << e;
          depths.push_back(depth);
          if (e.t - last > 0.0101) steps += ' ';
          EXPECT_GE(e.t - last, 0.0099) << e;
          steps += isHand ? 'H' : 'h';
          last = e.t;
        }
        for (size_t k = 0; k < left.size(); ++k)
          EXPECT_EQ(std::tuple(right[k].t, right[k].left, right[k].top, right[k].visible),
                    std::tuple(left[k].t, groupLeft + hand + gap, left[k].top, left[k].visible));
        EXPECT_EQ(handDepths, Slide(s.hand1.Height()));
        EXPECT_EQ(headDepths, Slide(s.head.Height()));
        const std::string hands((handDepths.size() - 1) / 2, 'H'), heads((headDepths.size() - 1) / 2, 'h');
        EXPECT_EQ(steps, hands + heads + " " + heads + hands);
        for (const Image* sprite : {&s.head, spy.below ? &s.hand1 : &s.handa, spy.below ? &s.hand2 : &s.handb})
          EXPECT_FALSE(sprite->Visible()) << "hidden after";

        std::string want = spy.scripts[sequence - 1] + " ";
        for (size_t at; (at = want.find("run ")) != std::string::npos;) want.replace(at, 3, spy.run);
        const bool speaks = spy.below && place != 3;
        if (size_t at = want.find("speak "); at != std::string::npos)
          want.replace(at, 6, speaks ? "cloud 6s -cloud 2s " : "");
        EXPECT_EQ(EyeScript(timeline, host.effects), want);
        if (!speaks) EXPECT_TRUE(timeline.Of("cloud").empty());
      }
}

INSTANTIATE_TEST_SUITE_P(BelowAndAbove, Spies, testing::Values(kBelow, kAbove),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
