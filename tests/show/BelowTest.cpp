// "Spy From Below": the three places, the rise and the sink, and the seven
// eye sequences with their sounds, ticks, waits and speech.
#include <algorithm>
#include <sstream>

#include "Passes.h"
#include "ShowFixture.h"
#include "Timeline.h"

namespace {

using Event = Timeline::Event;

// The eye sequences, as what happens from the moment the head is up: a face
// (a to d), an effect, a tick, a wait of 1 or 2 s, "run" for the blink run
// (b tick d tick b tick c) and "speak" for the speech cloud.
const char* const kSequences[8] = {
    "",
    "2s squint b speak",
    "2s squint b speak",
    "blink tick c 1s blink run 1s",
    "1s squint b 2s",
    "blink tick c 1s blink run speak",
    "blink c 1s blink run 2s blink run 1s",
    "blink c 1s blink run 2s blink run speak",
};

// What a sequence shows and plays, with times from the moment the head is
// up, and how long it lasts. A face is on screen at the next message pass:
// at the end of the next tick, or as soon as a wait starts. The speech is
// case 1: line 2 for 6 s, 8 s in all. A tick is 0.1 s (SpinSpeed 10), so
// that passes every 0.01 s tell ticks apart.
constexpr double kTick = 0.1;
struct Expected {
  std::vector<std::pair<double, std::string>> items;  // "face heada", "effect z_blink.wav", "cloud"
  double length = 0;
};
Expected Expand(std::string sequence, bool speaks) {
  for (size_t at; (at = sequence.find("run")) != std::string::npos;) sequence.replace(at, 3, "b tick d tick b tick c");
  Expected x;
  std::string face;  // changed, not yet on screen
  auto pass = [&] {
    if (!face.empty()) x.items.push_back({x.length, "face head" + face});
    face.clear();
  };
  std::istringstream words(sequence + " tick");  // the head starts to sink
  std::string word;
  while (words >> word) {
    if (word.size() == 1) {
      face = word;
    } else if (word == "squint" || word == "blink") {
      x.items.push_back({x.length, "effect z_" + word + ".wav"});
    } else if (word == "tick") {
      x.length += kTick;
      pass();
    } else if (word == "1s" || word == "2s") {
      pass();
      x.length += word[0] - '0';
    } else if (word == "speak" && speaks) {
      pass();
      x.items.push_back({x.length, "cloud"});
      x.length += 8;
    }
  }
  x.length -= kTick;
  return x;
}

class Below : public ShowFixture {
 protected:
  void SetUp() override {
    ShowFixture::SetUp();
    Starter::Settings.Sound = -1;
    Starter::Settings.SpinSpeed = 10;
    MakeShow();
    Probe().SetupStage();
  }
  float SW() const { return static_cast<float>(host.screenWidth * host.twipsX); }
  float SH() const { return static_cast<float>(host.screenHeight * host.twipsY); }
};

class BelowRun : public Below, public testing::WithParamInterface<std::tuple<int16_t, int>> {};

TEST_P(BelowRun, RisesAtItsPlacePlaysTheSequenceAndSinks) {
  const auto [place, sequence] = GetParam();
  ScreenSaver& s = *show;
  Probe().SetBelowPlace(place);
  Timeline timeline(host, s);
  PassEvery(host, 0.01, 100);
  host.draws = {(sequence - 1) / 7.0f + 0.01f, 0.01f};
  Probe().PlayEpisodeBelow();
  host.ProcessEvents();

  // The group: left hand, 1.75 faces, right hand; the head centred in the gap.
  const float hand = s.hand1.Width(), face = s.heada.Width(), gap = 1.75f * face;
  const float groupLeft = place == 1 ? 0 : place == 2 ? (SW() - 2 * hand - gap) / 2 : SW() - 2 * hand - gap;
  std::vector<Event> hand1 = timeline.Of("hand1"), hand2 = timeline.Of("hand2"), head = timeline.Of("head");
  ASSERT_EQ(hand1.size(), hand2.size());
  for (size_t i = 0; i < hand1.size(); ++i) {
    EXPECT_EQ(hand1[i].left, groupLeft);
    EXPECT_EQ(hand2[i].left, groupLeft + hand + gap);
    EXPECT_EQ(hand2[i].top, hand1[i].top) << "the hands move together";
    EXPECT_EQ(hand2[i].t, hand1[i].t);
  }
  for (const Event& e : head) EXPECT_EQ(e.left + face / 2, groupLeft + hand + gap / 2) << e;

  // Rise and sink: 35 twips a tick, up to the first place with the bottom
  // edge on screen, and back to just below it; the hands first up, last down.
  auto ExpectRiseAndSink = [&](const std::vector<Event>& moves, float height, const char* what) {
    size_t up = 0;
    while (up + 1 < moves.size() && moves[up + 1].top < moves[up].top) ++up;
    EXPECT_LE(moves[up].top + height, SH()) << what;
    EXPECT_GT(moves[up].top + 35 + height, SH()) << what;
    EXPECT_EQ(moves.front().top, SH() - 35) << what;
    for (size_t i = 1; i < moves.size() - 1; ++i) {
      if (i == up + 1) continue;  // the eyes play between
      EXPECT_EQ(std::abs(moves[i].top - moves[i - 1].top), 35) << what << " " << moves[i];
      EXPECT_NEAR(moves[i].t - moves[i - 1].t, kTick, 1e-4) << what << " " << moves[i];
    }
    EXPECT_EQ(moves[moves.size() - 2].top, SH()) << what;
    EXPECT_FALSE(moves.back().visible) << what;
    EXPECT_EQ(moves.size(), 2 * up + 3) << what << ": as many ticks down as up";
    return up;
  };
  std::vector<Event> headMoves;  // from the first move up
  for (const Event& e : head)
    if (headMoves.empty() ? e.top < SH() : e.top != headMoves.back().top || !e.visible) headMoves.push_back(e);
  const size_t handsUp = ExpectRiseAndSink(hand1, s.hand1.Height(), "hands");
  const size_t headUp = ExpectRiseAndSink(headMoves, s.head.Height(), "head");
  EXPECT_NEAR(headMoves.front().t - hand1[handsUp].t, kTick, 1e-4) << "the head rises after the hands";
  EXPECT_NEAR(hand1[handsUp + 1].t - headMoves[2 * headUp + 1].t, kTick, 1e-4) << "the hands sink after the head";
  EXPECT_NEAR(hand1.front().t, 4 + kTick, 1e-4) << "after 4 s of nothing";

  // The eyes, from the moment the head is up.
  const double up = headMoves[headUp].t;
  const Expected expected = Expand(kSequences[sequence], place != 3);
  std::vector<std::pair<double, std::string>> seen;
  std::string faceShown = "heada";
  for (const Event& e : head) {
    if (e.t < up - 1e-9 || e.picture == faceShown) continue;
    seen.push_back({e.t - up, "face " + e.picture});
    faceShown = e.picture;
  }
  for (const FakeBackend::Effect& e : host.effects) seen.push_back({e.at - up, "effect " + e.file});
  for (const Event& e : timeline.Of("cloud"))
    if (e.visible) seen.push_back({e.t - up, "cloud"});
  // Faces, effects and the cloud, each in order.
  for (const char* kind : {"face", "effect", "cloud"}) {
    auto ofKind = [kind](std::vector<std::pair<double, std::string>> items) {
      std::erase_if(items, [kind](const auto& item) { return item.second.rfind(kind, 0) != 0; });
      return items;
    };
    const auto want = ofKind(expected.items), got = ofKind(seen);
    ASSERT_EQ(got.size(), want.size()) << kind;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].second, want[i].second) << i;
      EXPECT_NEAR(got[i].first, want[i].first, 0.011) << got[i].second;
    }
  }
  EXPECT_NEAR(headMoves[headUp + 1].t - up, expected.length + kTick, 0.011) << "sinks when the sequence ends";

  EXPECT_EQ(Probe().BelowPlace(), place % 3 + 1);
  EXPECT_EQ(s.hand1.Top(), SH());
  EXPECT_EQ(s.head.Top(), SH());
}

INSTANTIATE_TEST_SUITE_P(PlacesAndSequences, BelowRun,
                         testing::Combine(testing::Values(1, 2, 3), testing::Range(1, 8)));

TEST_F(Below, PlacesRunLeftCentreRightWhateverElseMovesTheHead) {
  ScreenSaver& s = *show;
  std::vector<float> groupLefts;
  for (int run = 0; run < 4; ++run) {
    s.head.SetPicture(s.head3.Picture());  // as the other spy leaves it
    s.head.Move(5000, 0);
    s.head.SetVisible(false);
    Timeline timeline(host, s);
    host.draws = {0.5f};  // sequence 4: no speech
    Probe().PlayEpisodeBelow();
    groupLefts.push_back(s.hand1.Left());
    std::vector<Event> head = timeline.Of("head");
    auto risen = std::find_if(head.begin(), head.end(), [&](const Event& e) { return e.top < SH(); });
    ASSERT_NE(risen, head.end());
    EXPECT_EQ(risen->picture, "heada");
    EXPECT_EQ(risen->top, SH() - 35) << "rises from just below the edge";
  }
  const float group = 2 * s.hand1.Width() + 1.75f * s.heada.Width();
  EXPECT_EQ(groupLefts, (std::vector<float>{0, (SW() - group) / 2, SW() - group, 0}));
}

}  // namespace
