// The theme's sequencer on small files built here, at the file's own event
// times: deltas summed, tempo changes followed, running status applied,
// tracks merged; its work per buffer bounded; broken headers refused.
#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/qt/MidiSequence.h"

namespace {

using midi::Message;

constexpr int kRate = 22050, kStep = 64, kBuffer = 512;

std::string Bytes(std::initializer_list<int> bytes) { return std::string(bytes.begin(), bytes.end()); }
std::string Big(uint32_t value, int bytes) {
  std::string s;
  while (bytes--) s += static_cast<char>(value >> (8 * bytes));
  return s;
}

// A file of `division` ticks a quarter note holding the tracks' events.
std::string File(const std::vector<std::string>& tracks, int division = 96) {
  std::string file = "MThd" + Big(6, 4) + Big(1, 2) + Big(tracks.size(), 2) + Big(division, 2);
  for (const std::string& track : tracks) file += "MTrk" + Big(track.size() + 4, 4) + track + Bytes({0, 0xff, 0x2f, 0});
  return file;
}
std::string Tempo(uint32_t microseconds) { return Bytes({0xff, 0x51, 3}) + Big(microseconds, 3); }

struct Timed {
  double seconds;
  Message message;
};

// Plays the sequence to its end as the player does: steps of `kStep` frames,
// a new allowance every buffer; each message with the time it was taken.
std::vector<Timed> Play(midi::Sequence& sequence) {
  std::vector<Timed> played;
  std::vector<Message> due;
  midi::Allowance allowance;
  for (int frame = 0; !sequence.Read() && frame < 60 * kRate; frame += kStep) {
    if (frame % kBuffer == 0) allowance = {};
    sequence.Due(allowance, due);
    for (const Message& m : due) played.push_back({double(frame) / kRate, m});
    due.clear();
    sequence.Advance(kStep, kRate);
  }
  return played;
}

TEST(MidiSequence, TakesEachMessageAtItsTimeInTheFile) {
  // A quarter note of 96 ticks lasts 0.5 s, from 1 s on 0.25 s.
  const std::string tune = File({
      Bytes({0}) + Tempo(500000) + Bytes({0x81, 0x40}) + Tempo(250000),
      // Running status after the first note.
      Bytes({0, 0x90, 60, 100, 0x60, 60, 0, 0, 62, 100, 0x60, 62, 0, 0x30, 64, 100, 0x60, 0x80, 64, 0}),
      Bytes({0x81, 0x10, 0xc1, 5, 0, 0x91, 67, 90, 0x82, 0x20, 0x81, 67, 0}),
  });
  const std::vector<Timed> expected = {
      {0.0, {0x90, 60, 100}},   {0.5, {0x90, 60, 0}},     {0.5, {0x90, 62, 100}}, {0.75, {0xc1, 5, 0}},
      {0.75, {0x91, 67, 90}},   {1.0, {0x90, 62, 0}},     {1.125, {0x90, 64, 100}}, {1.375, {0x80, 64, 0}},
      {1.625, {0x81, 67, 0}},
  };
  midi::Sequence sequence;
  ASSERT_TRUE(sequence.Open(tune));
  for (int play : {1, 2}) {
    const std::vector<Timed> played = Play(sequence);
    ASSERT_EQ(played.size(), expected.size()) << "play " << play;
    for (size_t i = 0; i < played.size(); ++i) {
      const Message &m = played[i].message, &e = expected[i].message;
      EXPECT_EQ(std::vector<int>({m.status, m.a, m.b}), std::vector<int>({e.status, e.a, e.b})) << i;
      // A step late at most, and a step more after the tempo change, which
      // takes effect from the step after it.
      EXPECT_NEAR(played[i].seconds, expected[i].seconds, 2.0 * kStep / kRate) << i << ", play " << play;
    }
    sequence.Rewind();
  }
}

TEST(MidiSequence, BoundsTheEventsAndNotesOfABuffer) {
  // 100 notes and 300 controller changes at one instant.
  std::string events;
  for (int i = 0; i < 100; ++i) events += Bytes({0, 0x90, i, 100});
  for (int i = 0; i < 300; ++i) events += Bytes({0, 0xb0, 7, i % 128});
  midi::Sequence sequence;
  ASSERT_TRUE(sequence.Open(File({events})));
  std::vector<Message> first, second;
  midi::Allowance allowance;
  sequence.Due(allowance, first);
  allowance = {};
  sequence.Due(allowance, second);
  auto notes = [](const std::vector<Message>& ms) {
    return std::count_if(ms.begin(), ms.end(), [](const Message& m) { return m.status == 0x90; });
  };
  // The notes beyond the buffer's are dropped, the controller changes wait.
  EXPECT_EQ(notes(first), midi::kNotesPerBuffer);
  EXPECT_EQ(first.size(), size_t(midi::kNotesPerBuffer + midi::kEventsPerBuffer - 100));
  EXPECT_EQ(notes(second), 0);
  EXPECT_EQ(second.size(), size_t(300 - (midi::kEventsPerBuffer - 100)));
  EXPECT_TRUE(sequence.Read());
}

TEST(MidiSequence, RefusesHeadersItCannotTimeAndReadsAtMostSoManyTracks) {
  const std::string track = Bytes({0, 0xb0, 7, 100});
  midi::Sequence sequence;
  EXPECT_TRUE(sequence.Open(File({track})));
  EXPECT_FALSE(sequence.Open(File({track}, 0))) << "no ticks a quarter note: it would never end";
  EXPECT_FALSE(sequence.Open(File({track}, 0xe728))) << "frames of a second";
  EXPECT_FALSE(sequence.Open(File({})));
  EXPECT_FALSE(sequence.Open("MThd" + Big(6, 4)));

  ASSERT_TRUE(sequence.Open(File(std::vector<std::string>(midi::kMaxTracks + 6, track))));
  std::vector<Message> due;
  midi::Allowance allowance;
  sequence.Due(allowance, due);
  EXPECT_EQ(due.size(), midi::kMaxTracks);
}

}  // namespace
