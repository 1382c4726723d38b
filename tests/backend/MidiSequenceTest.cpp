// The theme's sequencer on small files built here, at the file's own event
// times: deltas summed, tempo changes followed, running status applied,
// tracks merged; its work per buffer bounded; broken headers refused.
#include <algorithm>
#include <array>
#include <gtest/gtest.h>

#include "platform/qt/MidiSequence.h"

namespace {

constexpr int kRate = 22050, kStep = 64;

std::string Bytes(std::initializer_list<int> bytes) { return std::string(bytes.begin(), bytes.end()); }
// `value` in `bytes` bytes, the highest first.
std::string Big(uint32_t value, int bytes) { return bytes ? Big(value >> 8, bytes - 1) + char(value) : ""; }
std::string Tempo(uint32_t microseconds) { return Bytes({0xff, 0x51, 3}) + Big(microseconds, 3); }

// A file of `division` ticks a quarter note holding the tracks' events.
std::string File(const std::vector<std::string>& tracks, int division = 96) {
  std::string file = "MThd" + Big(6, 4) + Big(1, 2) + Big(tracks.size(), 2) + Big(division, 2);
  for (const std::string& track : tracks) file += "MTrk" + Big(track.size() + 4, 4) + track + Bytes({0, 0xff, 0x2f, 0});
  return file;
}

// The messages due now, within one buffer's allowance.
std::vector<midi::Message> Buffer(midi::Sequence& sequence, midi::Allowance allowance = {}) {
  std::vector<midi::Message> due;
  sequence.Due(allowance, due);
  return due;
}

// A message with the time it was taken: milliseconds, status and data bytes.
using Timed = std::array<int, 4>;

// Plays the sequence to its end in steps of `kStep` frames, as the player
// does; each message with the time it was taken.
std::vector<Timed> Play(midi::Sequence& sequence) {
  std::vector<Timed> played;
  for (int frame = 0; !sequence.Read() && frame < 60 * kRate; frame += kStep, sequence.Advance(kStep, kRate))
    for (const midi::Message& m : Buffer(sequence)) played.push_back({frame * 1000 / kRate, m.status, m.a, m.b});
  return played;
}

// Guards the timing: deltas summed, a tempo change followed, running status
// applied, tracks merged, and all of it again after a rewind.
TEST(MidiSequence, TakesEachMessageAtItsTimeInTheFile) {
  midi::Sequence sequence;
  // A quarter note of 96 ticks lasts 500 ms, from 1000 ms on 250 ms.
  ASSERT_TRUE(sequence.Open(File({
      Bytes({0}) + Tempo(500000) + Bytes({0x81, 0x40}) + Tempo(250000),
      // Running status after the first note.
      Bytes({0, 0x90, 60, 100, 0x60, 60, 0, 0, 62, 100, 0x60, 62, 0, 0x30, 64, 100, 0x60, 0x80, 64, 0}),
      Bytes({0x81, 0x10, 0xc1, 5, 0, 0x91, 67, 90, 0x82, 0x20, 0x81, 67, 0}),
  })));
  const std::vector<Timed> expected = {
      {0, 0x90, 60, 100}, {500, 0x90, 60, 0}, {500, 0x90, 62, 100}, {750, 0xc1, 5, 0}, {750, 0x91, 67, 90},
      {1000, 0x90, 62, 0}, {1125, 0x90, 64, 100}, {1375, 0x80, 64, 0}, {1625, 0x81, 67, 0},
  };
  // The bytes exactly; the time a step late at most, and a step more after
  // the tempo change, which takes effect from the step after it.
  const Timed tolerance = {int(2e3 * kStep / kRate), 0, 0, 0};
  for (int play : {1, 2}) {
    const std::vector<Timed> played = Play(sequence);
    ASSERT_EQ(played.size(), expected.size()) << "play " << play;
    for (size_t i = 0; i < played.size(); ++i)
      for (int k : {0, 1, 2, 3}) EXPECT_NEAR(played[i][k], expected[i][k], tolerance[k]) << i << ", play " << play;
    sequence.Rewind();
  }
}

// Guards the audio thread against a file that crowds its events: one buffer
// starts at most so many notes on all channels (the rest dropped) among at
// most so many events (the rest wait), and reads at most so many tracks.
TEST(MidiSequence, BoundsTheWorkOfABuffer) {
  std::string crowd;  // 100 notes and 300 controller changes at one instant
  for (int i = 0; i < 100; ++i) crowd += Bytes({0, 0x90 | i % 16, i, 100});
  for (int i = 0; i < 300; ++i) crowd += Bytes({0, 0xb0, 7, i % 128});
  midi::Sequence sequence;
  ASSERT_TRUE(sequence.Open(File({crowd})));
  const int notes = midi::kNotesPerBuffer, waiting = 300 - (midi::kEventsPerBuffer - 100);
  for (auto [notesTaken, taken] : {std::pair{notes, notes + 300 - waiting}, std::pair{0, waiting}}) {
    const std::vector<midi::Message> due = Buffer(sequence);
    EXPECT_EQ(std::count_if(due.begin(), due.end(), [](const auto& m) { return m.status >> 4 == 9; }), notesTaken);
    EXPECT_EQ(due.size(), size_t(taken));
  }
  ASSERT_TRUE(sequence.Open(File(std::vector<std::string>(midi::kMaxTracks + 6, Bytes({0, 0xb0, 7, 100})))));
  EXPECT_EQ(Buffer(sequence).size(), midi::kMaxTracks) << "tracks beyond the cap are left silent";
}

// Guards against a file that would never end (no ticks a quarter note) or is
// timed otherwise (frames of a second), holds no track or no whole header.
TEST(MidiSequence, RefusesHeadersItCannotTime) {
  midi::Sequence sequence;
  const std::string refused[] = {File({""}, 0), File({""}, 0xe728), File({}), "MThd" + Big(6, 4)};
  for (const std::string& file : refused) EXPECT_FALSE(sequence.Open(file)) << "case " << &file - refused;
}

}  // namespace
