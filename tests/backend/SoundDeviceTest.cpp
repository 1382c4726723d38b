// The audio device is open only while something sounds: it opens for an
// effect or the music, closes once they have ended (and with it the audio
// thread), and opens again at once for the next sound.
#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "platform/qt/SdlSound.h"
#include "tests/common/TempWinDir.h"

namespace {

// Threads of this process whose name says they belong to SDL's audio.
int AudioThreads() {
  int count = 0;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::string name;
    std::getline(std::ifstream(task.path() / "comm"), name);
    if (name.rfind("SDLAudio", 0) == 0) ++count;
  }
  return count;
}

// Serves events until `done` holds; false if it does not within the limit.
bool Eventually(const std::function<bool()>& done, int limitSeconds = 20) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QThread::msleep(10);
  }
  return true;
}

// One short note.
const std::string kMidi("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60MTrk\x00\x00\x00\x0c"
                        "\x00\x90\x3c\x64\x60\x80\x3c\x00\x00\xff\x2f\x00", 34);

class SoundDevice : public testing::Test {
 protected:
  TempWinDir dir;
  SdlSound sound;
};

TEST_F(SoundDevice, OpensForAnEffectClosesAfterItAndOpensAgainForTheNext) {
  EXPECT_FALSE(sound.DeviceOpen()) << "nothing has sounded yet";
  EXPECT_EQ(AudioThreads(), 0);
  EXPECT_FALSE(sound.PlayEffect(dir.File("missing.wav")));
  EXPECT_TRUE(Eventually([&] { return !sound.DeviceOpen(); })) << "a failed load leaves the device open";

  std::filesystem::copy_file(ZENTRAVO_BUILD_DATA_DIR "/z_step.wav", dir.File("beep.wav"));

  ASSERT_TRUE(sound.PlayEffect(dir.File("beep.wav")));
  EXPECT_TRUE(sound.DeviceOpen());
  EXPECT_TRUE(Eventually([] { return AudioThreads() == 1; })) << "the device's own thread";
  ASSERT_TRUE(Eventually([&] { return !sound.DeviceOpen(); })) << "the device stays open after the effect";
  EXPECT_EQ(AudioThreads(), 0) << "an audio thread runs with nothing to play";

  // A later effect plays at once, from the sound kept in memory.
  std::filesystem::remove(dir.File("beep.wav"));
  EXPECT_TRUE(sound.PlayEffect(dir.File("beep.wav")));
  EXPECT_TRUE(sound.DeviceOpen());
  EXPECT_TRUE(Eventually([&] { return !sound.DeviceOpen(); }));
}

TEST_F(SoundDevice, ClosesAfterTheMusicEndsYetTheMusicCanPlayAgain) {
  if (!std::filesystem::exists("/usr/share/sounds/sf2/TimGM6mb.sf2")) GTEST_SKIP() << "no sound font";
  dir.Write("tune.mid", kMidi);
  ASSERT_TRUE(sound.MusicOpen(dir.File("tune.mid")));
  ASSERT_TRUE(sound.MusicPlay());
  EXPECT_TRUE(sound.MusicPlaying());
  ASSERT_TRUE(Eventually([&] { return !sound.DeviceOpen(); })) << "the device stays open after the music";
  EXPECT_FALSE(sound.MusicPlaying());
  EXPECT_EQ(AudioThreads(), 0);

  EXPECT_TRUE(sound.MusicPlay()) << "the music, still open, plays again";
  EXPECT_TRUE(sound.MusicPlaying());
  sound.MusicStop();
  EXPECT_FALSE(sound.MusicPlaying());
  EXPECT_TRUE(Eventually([&] { return !sound.DeviceOpen(); })) << "a stopped tune keeps the device open";
}

}  // namespace
