// The effects and the theme as the sound system plays them: each effect
// decodes and is loud enough to hear; the theme is a well-formed MIDI file
// of 20 to 25 seconds that the synthesiser renders to sound.
#include "data_files.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// The mixer on SDL's disk driver: whatever plays lands in `out`.
class Mixer : public testing::Test {
 protected:
  char out[32] = "/tmp/zentravo_sound_XXXXXX";
  void SetUp() override {
    close(mkstemp(out));
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out, 1);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048), 0) << Mix_GetError();
  }
  void TearDown() override {
    Mix_CloseAudio();
    SDL_Quit();
    std::remove(out);
  }
};

TEST_F(Mixer, EffectsDecodeWithinTheirLengthAndAreAudible) {
  const std::pair<const char*, double> effects[] = {
      {"z_step.wav", 1.0}, {"z_squint.wav", 1.0}, {"z_blink.wav", 1.0}, {"z_boink.wav", 1.0},
      {"z_gun.wav", 1.0},  {"z_rico.wav", 1.0},   {"z_scroll.wav", 2.0}};
  for (const auto& [file, maxSeconds] : effects) {
    Mix_Chunk* chunk = Mix_LoadWAV(DataPath(file).c_str());
    ASSERT_NE(chunk, nullptr) << file << ": " << Mix_GetError();
    const double seconds = chunk->alen / 2.0 / (44100 * 2);
    EXPECT_GT(seconds, 0.03) << file;
    EXPECT_LT(seconds, maxSeconds) << file;
    const auto* samples = reinterpret_cast<const int16_t*>(chunk->abuf);
    int peak = 0;
    for (size_t i = 0; i < chunk->alen / 2; ++i) peak = std::max(peak, std::abs(int(samples[i])));
    EXPECT_GT(peak, 8000) << file << " is too quiet to hear";
    Mix_FreeChunk(chunk);
  }
}

uint32_t ReadVar(const std::vector<uint8_t>& b, size_t& at, size_t end) {
  uint32_t v = 0;
  for (int i = 0; i < 4 && at < end; ++i) {
    const uint8_t c = b[at++];
    v = (v << 7) | (c & 0x7f);
    if (!(c & 0x80)) return v;
  }
  throw std::runtime_error("bad variable-length number");
}

struct MidiSummary {
  int format = -1, tracks = 0, noteOns = 0, drumNotes = 0;
  double seconds = 0;
};

// A small standard MIDI file reader: checks the chunk structure, that every
// track ends with exactly one end-of-track event, and times the tune.
MidiSummary ReadMidi(const std::vector<uint8_t>& b) {
  if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || BE32(b, 4) != 6)
    throw std::runtime_error("no MThd header");
  MidiSummary s;
  s.format = BE16(b, 8);
  const int declared = BE16(b, 10), division = BE16(b, 12);
  if (division & 0x8000) throw std::runtime_error("SMPTE timing not expected");
  uint32_t tempo = 500000;
  uint64_t longest = 0;
  for (size_t at = 14; at < b.size(); ++s.tracks) {
    if (at + 8 > b.size() || std::string(b.begin() + at, b.begin() + at + 4) != "MTrk")
      throw std::runtime_error("expected MTrk");
    const size_t end = at + 8 + BE32(b, at + 4);
    if (end > b.size()) throw std::runtime_error("track runs past the file");
    uint64_t ticks = 0;
    uint8_t status = 0;
    bool ended = false;
    for (at += 8; at < end;) {
      if (ended) throw std::runtime_error("events after end of track");
      ticks += ReadVar(b, at, end);
      if (b[at] & 0x80) status = b[at++];
      else if (status == 0) throw std::runtime_error("running status without status");
      if (status == 0xff) {
        const uint8_t type = b[at++];
        const uint32_t len = ReadVar(b, at, end);
        if (type == 0x51 && len == 3) tempo = uint32_t(b[at]) << 16 | uint32_t(b[at + 1]) << 8 | b[at + 2];
        ended = type == 0x2f;
        at += len;
        status = 0;
      } else if (status == 0xf0 || status == 0xf7) {
        at += ReadVar(b, at, end);
      } else {
        const int kind = status & 0xf0;
        if (kind == 0x90 && b[at + 1] > 0) ++s.noteOns, s.drumNotes += (status & 0x0f) == 9;
        at += (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
      }
    }
    if (at != end || !ended) throw std::runtime_error("track without a proper end");
    longest = std::max(longest, ticks);
  }
  if (s.tracks != declared) throw std::runtime_error("track count differs from the header");
  s.seconds = double(longest) / division * tempo / 1e6;
  return s;
}

TEST_F(Mixer, ThemeIsWellFormedAbout20To25SecondsAndSounds) {
  MidiSummary s;
  ASSERT_NO_THROW(s = ReadMidi(ReadFileBytes(DataPath("z_wumble.mid"))));
  EXPECT_TRUE(s.format == 0 || s.format == 1);
  EXPECT_GE(s.tracks, 2);
  EXPECT_GT(s.noteOns, 100);
  EXPECT_GT(s.drumNotes, 0);
  EXPECT_GE(s.seconds, 20.0);
  EXPECT_LE(s.seconds, 25.0);

  Mix_SetSoundFonts("/usr/share/sounds/sf2/TimGM6mb.sf2");
  Mix_Music* music = Mix_LoadMUS(DataPath("z_wumble.mid").c_str());
  ASSERT_NE(music, nullptr) << Mix_GetError();
  ASSERT_EQ(Mix_PlayMusic(music, 0), 0) << Mix_GetError();
  SDL_Delay(1500);
  Mix_HaltMusic();
  Mix_FreeMusic(music);
  const std::vector<uint8_t> raw = ReadFileBytes(out);
  ASSERT_GT(raw.size(), 44100u);  // at least a quarter second of stereo samples
  int loud = 0;
  for (size_t i = 0; i + 1 < raw.size(); i += 2) loud += std::abs(int(int16_t(LE16(raw, i)))) > 1000;
  EXPECT_GT(loud, 1000);
}

}  // namespace
