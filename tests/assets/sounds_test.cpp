#include "data_files.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

struct Effect {
    const char* file;
    double maxSeconds;
};

const Effect kEffects[] = {
    {"z_step.wav", 1.0}, {"z_squint.wav", 1.0}, {"z_blink.wav", 1.0}, {"z_boink.wav", 1.0},
    {"z_gun.wav", 1.0},  {"z_rico.wav", 1.0},   {"z_scroll.wav", 2.0},
};

class SoundEffects : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    }
    void TearDown() override
    {
        Mix_CloseAudio();
        SDL_Quit();
    }
};

TEST_F(SoundEffects, EveryEffectDecodesWithinItsLengthLimit)
{
    int freq = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_NE(Mix_QuerySpec(&freq, &format, &channels), 0);
    for (const Effect& e : kEffects) {
        SCOPED_TRACE(e.file);
        Mix_Chunk* chunk = Mix_LoadWAV(DataPath(e.file).c_str());
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        const double seconds = double(chunk->alen) / (freq * channels * (SDL_AUDIO_BITSIZE(format) / 8));
        EXPECT_GT(seconds, 0.03);
        EXPECT_LT(seconds, e.maxSeconds);
        Mix_FreeChunk(chunk);
    }
}

TEST(SoundFiles, AreSixteenBitPcmAtAStandardRateAndAudible)
{
    for (const Effect& e : kEffects) {
        SCOPED_TRACE(e.file);
        const std::vector<uint8_t> b = ReadFileBytes(DataPath(e.file));
        ASSERT_GE(b.size(), 44u);
        ASSERT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
        ASSERT_EQ(std::string(b.begin() + 8, b.begin() + 12), "WAVE");
        ASSERT_EQ(std::string(b.begin() + 12, b.begin() + 16), "fmt ");
        EXPECT_EQ(LE16(b, 20), 1);  // PCM
        const int channels = LE16(b, 22);
        EXPECT_TRUE(channels == 1 || channels == 2);
        const uint32_t rate = LE32(b, 24);
        EXPECT_TRUE(rate == 22050 || rate == 44100) << rate;
        EXPECT_EQ(LE16(b, 34), 16);
        ASSERT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
        const uint32_t bytes = LE32(b, 40);
        ASSERT_EQ(bytes + 44, b.size());
        int peak = 0;
        for (size_t i = 44; i + 1 < b.size(); i += 2) {
            peak = std::max(peak, std::abs(int(int16_t(LE16(b, i)))));
        }
        EXPECT_GT(peak, 8000) << "too quiet to hear";
    }
}

}  // namespace
