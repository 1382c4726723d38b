// The two spy episodes, mirror images of each other: Spy From Below rises
// over the bottom edge at the places left, centre, right; Spy From Above
// comes down from the top edge at centre, right, left. The hands slide in,
// then the head; the eyes play a sequence; the head slides out, then the hands.
#include <cmath>
#include <map>

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
  std::vector<std::string> scripts;  // of each sequence; "run": the blink run, "speak": the cloud
  const char* run;
};

const Spy kBelow{"Below", &ShowProbe::PlayEpisodeBelow, "hand1", "hand2", true, "a", {1, 2, 3},
                 {"2s squint b speak", "2s squint b speak", "blink tick c 1s blink run 1s", "1s squint b 2s",
                  "blink tick c 1s blink run speak", "blink c 1s blink run 2s blink run 1s",
                  "blink c 1s blink run 2s blink run speak"},
                 "b tick d tick b tick c"};
const Spy kAbove{"Above", &ShowProbe::PlayEpisodeAbove, "handa", "handb", false, "1", {2, 3, 1},
                 {"tick blink 3 1s run 1s", "1s squint 2 2s", "tick blink 3 1s run 2s run 1s"},
                 "blink 2 tick 4 tick 2 tick 3"};

void PrintTo(const Spy& spy, std::ostream* os) { *os << spy.name; }

class Spies : public ShowFixture, public testing::WithParamInterface<Spy> {};

// Run after run from a new stage, each sequence drawn at both ends of its
// share of the draws: the next place in turn; after the 4 s, the head parked
// with its first face, the hands in a step at a time until wholly on screen,
// then the head; the eye sequence; the head out, then the hands, as many
// steps as they took in.
TEST_P(Spies, RunAfterRunTheNextPlaceTheSlidesAndEachEyeSequence) {
  const Spy& spy = GetParam();
  ScreenSaver& s = Stage(1366, 768, 12);
  const float hand = s.hand1.Width(), face = s.heada.Width(), gap = 1.75f * face, group = 2 * hand + gap;
  auto steps = [](const std::string& step, float height) {
    std::string out;
    for (float depth = 0; depth < height; depth += 35) out += step;
    return out;
  };
  const std::string hands = steps("H H tick ", s.hand1.Height()), heads = steps("h tick ", s.head1.Height());
  const int n = static_cast<int>(spy.scripts.size());
  int run = 0;
  for (int sequence = 1; sequence <= n; ++sequence)
    for (float edge : {0.001f, 0.999f})
      for (int i = 0; i < 3; ++i, ++run) {
        const int place = spy.places[run % 3];
        SCOPED_TRACE(testing::Message() << "sequence " << sequence << " at place " << place << ", edge " << edge);
        // The head left where and as the other spy leaves it; speech case 1: 6 s, then 2 s.
        s.head.SetPicture((spy.below ? s.head3 : s.headd).Picture());
        s.head.Move(5000, spy.below ? -s.head.Height() : SH());
        host.draws = {(sequence - 1 + edge) / n, 0.01f};
        host.effects.clear();
        const Image &left = spy.below ? s.hand1 : s.handa, &right = spy.below ? s.hand2 : s.handb;
        std::map<std::string, float> tops{
            {spy.left, left.Top()}, {spy.right, right.Top()}, {"head", s.head.Top()}};
        Timeline timeline(host, s);
        const double start = host.now;
        (Probe().*spy.play)();

        // What each pass shows: the head's face ("b", "3"); a step of 35 twips
        // of a hand ("H") or of the head ("h"), shown; the head parked at the
        // edge ("park") or moved anywhere else ("?"); the cloud ("cloud", "-cloud").
        auto say = [&, face = std::string(spy.below ? "head3" : "headd")](const Event& e) mutable {
          std::string said;
          if (e.sprite == "cloud") said = e.visible ? "cloud " : "-cloud ";
          if (!tops.count(e.sprite)) return said;
          const bool head = e.sprite == "head";
          if (head && e.picture != face) said += (face = e.picture).substr(4) + ' ';
          if (std::abs(e.top - tops[e.sprite]) == 35 && e.visible) said += head ? "h " : "H ";
          else if (e.top != tops[e.sprite])
            said += head && e.top == (spy.below ? SH() : -s.head.Height()) ? "park " : "? ";
          tops[e.sprite] = e.top;
          return said;
        };
        std::string want = spy.scripts[sequence - 1] + " ";
        for (size_t at; (at = want.find("run ")) != std::string::npos;) want.replace(at, 3, spy.run);
        if (size_t at = want.find("speak "); at != std::string::npos)
          want.replace(at, 6, spy.below && place != 3 ? "cloud 6s -cloud 2s " : "");
        want = "4s " + std::string(spy.face) + " park " + hands + heads + want + heads + hands;
        EXPECT_EQ(timeline.Script(start, host.effects, say), want);
        const float groupLeft = place == 1 ? 0 : place == 2 ? (SW() - group) / 2 : SW() - group;
        for (const Event& e : timeline.events)
          if (tops.count(e.sprite))
            EXPECT_EQ(e.left, e.sprite == spy.left    ? groupLeft
                              : e.sprite == spy.right ? groupLeft + hand + gap
                                                      : groupLeft + hand + gap / 2 - face / 2)
                << e;
        for (const Image* sprite : {&std::as_const(s.head), &left, &right})
          EXPECT_FALSE(sprite->Visible()) << "hidden after";
      }
}

INSTANTIATE_TEST_SUITE_P(BelowAndAbove, Spies, testing::Values(kBelow, kAbove),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
