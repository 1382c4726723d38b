// The audio device, and with it SDL's audio thread, runs only while
// something sounds: it opens for an effect or the music and closes once they
// have ended or stopped; the music, still open, plays again.
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include "platform/qt/SdlSound.h"
#include "tests/backend/SoundFont.h"

namespace {

// Threads of this process whose name says they belong to SDL's audio.
int AudioThreads() {
  return std::count_if(std::filesystem::directory_iterator("/proc/self/task"), {}, [](const auto& task) {
    std::string name;
    return std::getline(std::ifstream(task.path() / "comm"), name) && name.starts_with("SDLAudio");
  });
}

// How long QTest::qWaitFor serves events for a change to come, in ms.
constexpr int kWait = 20000;

// One short note.
const std::string kMidi("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60MTrk\x00\x00\x00\x0c"
                        "\x00\x90\x3c\x64\x60\x80\x3c\x00\x00\xff\x2f\x00", 34);

// Guards against the audio thread running on in the background, and against
// music that cannot be played again once it has ended.
TEST(SoundDevice, RunsOnlyWhileAnEffectOrTheMusicSounds) {
  SdlSound sound;
  std::ifstream wave(ZENTRAVO_BUILD_DATA_DIR "/z_step.wav", std::ios::binary);
  ASSERT_TRUE(sound.PlayEffect("step", std::string(std::istreambuf_iterator<char>(wave), {})));
  EXPECT_TRUE(QTest::qWaitFor([] { return AudioThreads() == 1; }, kWait)) << "the device's own thread";
  EXPECT_TRUE(QTest::qWaitFor([] { return AudioThreads() == 0; }, kWait)) << "the device stays open after the effect";

  NEED_SOUND_FONT();
  ASSERT_TRUE(sound.MusicOpen(kMidi));
  for (int play : {1, 2}) {
    ASSERT_TRUE(sound.MusicPlay()) << play;
    EXPECT_TRUE(sound.MusicPlaying()) << play;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !sound.MusicPlaying() && AudioThreads() == 0; }, kWait))
        << "the device stays open after the music, play " << play;
  }
  ASSERT_TRUE(sound.MusicPlay());
  sound.MusicStop();
  EXPECT_FALSE(sound.MusicPlaying());
  EXPECT_TRUE(QTest::qWaitFor([] { return AudioThreads() == 0; }, kWait)) << "a stopped tune keeps the device open";
}

}  // namespace
