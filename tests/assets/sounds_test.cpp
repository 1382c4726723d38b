// The effects as the sound system plays them: each decodes and is loud
// enough to hear. (The theme's length: tests/backend/SynthMusicTest.cpp.)
#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

// Guards the made effects: each decodes into the mixer's format (on SDL's
// dummy driver), lasts no longer than its moment in the show and can be heard.
TEST(Mixer, EffectsDecodeWithinTheirLengthAndAreAudible) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
  ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048), 0) << Mix_GetError();
  const std::pair<const char*, double> effects[] = {
      {"z_step.wav", 1.0}, {"z_squint.wav", 1.0}, {"z_blink.wav", 1.0}, {"z_boink.wav", 1.0},
      {"z_gun.wav", 1.0},  {"z_rico.wav", 1.0},   {"z_scroll.wav", 2.0}};
  for (const auto& [file, maxSeconds] : effects) {
    Mix_Chunk* chunk = Mix_LoadWAV((ZENTRAVO_BUILD_DATA_DIR "/" + std::string(file)).c_str());
    ASSERT_NE(chunk, nullptr) << file << ": " << Mix_GetError();
    const double seconds = chunk->alen / 2.0 / (44100 * 2);
    EXPECT_TRUE(seconds > 0.03 && seconds < maxSeconds) << file << " lasts " << seconds << " s";
    const auto* samples = reinterpret_cast<const int16_t*>(chunk->abuf);
    const auto [low, high] = std::minmax_element(samples, samples + chunk->alen / 2);
    EXPECT_GT(std::max(-*low, +*high), 8000) << file << " is too quiet to hear";
    Mix_FreeChunk(chunk);
  }
  Mix_CloseAudio();
  SDL_Quit();
}

}  // namespace
