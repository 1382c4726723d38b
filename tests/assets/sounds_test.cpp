// The effects and the theme as the sound system plays them: each effect
// decodes and is loud enough to hear; the theme sounds for 20 to 25 seconds.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string DataPath(const std::string& name) { return ZENTRAVO_BUILD_DATA_DIR "/" + name; }

// The mixer on SDL's disk driver, without pauses: whatever plays lands in `out`.
class Mixer : public testing::Test {
 protected:
  char out[32] = "/tmp/zentravo_sound_XXXXXX";
  void SetUp() override {
    close(mkstemp(out));
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out, 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
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

// The synthesiser renders the theme as fast as it can; the tune lasts from
// its first loud sample to its last.
TEST_F(Mixer, ThemeSoundsFor20To25Seconds) {
  Mix_SetSoundFonts("/usr/share/sounds/sf2/TimGM6mb.sf2");
  Mix_Music* music = Mix_LoadMUS(DataPath("z_wumble.mid").c_str());
  ASSERT_NE(music, nullptr) << Mix_GetError();
  ASSERT_EQ(Mix_PlayMusic(music, 0), 0) << Mix_GetError();
  for (int i = 0; Mix_PlayingMusic() && i < 2000; ++i) SDL_Delay(5);
  Mix_FreeMusic(music);
  Mix_CloseAudio();  // writes out the rest of the file
  std::ifstream played(out, std::ios::binary);
  const std::vector<uint8_t> raw(std::istreambuf_iterator<char>(played), {});
  size_t first = raw.size(), last = 0;
  for (size_t i = 0; i + 1 < raw.size(); i += 2)
    if (std::abs(int16_t(raw[i] | raw[i + 1] << 8)) > 1000) first = std::min(first, i), last = i;
  ASSERT_LT(first, last) << "the theme made no sound";
  const double seconds = double(last - first) / (44100 * 2 * 2);
  EXPECT_GE(seconds, 20.0);
  EXPECT_LE(seconds, 25.0);
}

}  // namespace
