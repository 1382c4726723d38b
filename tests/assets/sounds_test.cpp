#include "data_files.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

// Every effect decodes, lasts a moment but no longer than its limit, and is
// loud enough to hear.
TEST(SoundEffects, DecodeWithinTheirLengthAndAreAudible)
{
    const std::pair<const char*, double> effects[] = {
        {"z_step.wav", 1.0}, {"z_squint.wav", 1.0}, {"z_blink.wav", 1.0}, {"z_boink.wav", 1.0},
        {"z_gun.wav", 1.0},  {"z_rico.wav", 1.0},   {"z_scroll.wav", 2.0},
    };
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    int freq = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_NE(Mix_QuerySpec(&freq, &format, &channels), 0);
    ASSERT_EQ(format, AUDIO_S16SYS);
    for (const auto& [file, maxSeconds] : effects) {
        SCOPED_TRACE(file);
        Mix_Chunk* chunk = Mix_LoadWAV(DataPath(file).c_str());
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        const int16_t* samples = reinterpret_cast<const int16_t*>(chunk->abuf);
        const size_t count = chunk->alen / 2;
        const double seconds = double(count) / (freq * channels);
        EXPECT_GT(seconds, 0.03);
        EXPECT_LT(seconds, maxSeconds);
        int peak = 0;
        for (size_t i = 0; i < count; ++i) {
            peak = std::max(peak, std::abs(int(samples[i])));
        }
        EXPECT_GT(peak, 8000) << "too quiet to hear";
        Mix_FreeChunk(chunk);
    }
    Mix_CloseAudio();
    SDL_Quit();
}

}  // namespace
