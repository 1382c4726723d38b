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
#include <iterator>
#include <string>

#include "platform/qt/SdlSound.h"

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

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SoundDevice, OpensForAnEffectAndClosesAfterIt) {
  SdlSound sound;
  EXPECT_FALSE(sound.PlayEffect("none", "")) << "nothing read";
  EXPECT_FALSE(sound.DeviceOpen()) << "opened for nothing to play";
  ASSERT_TRUE(sound.PlayEffect("step", Bytes(ZENTRAVO_BUILD_DATA_DIR "/z_step.wav")));
  EXPECT_TRUE(sound.DeviceOpen());
  EXPECT_TRUE(Eventually([] { return AudioThreads() == 1; })) << "the device's own thread";
  ASSERT_TRUE(Eventually([&] { return !sound.DeviceOpen(); })) << "the device stays open after the effect";
  EXPECT_EQ(AudioThreads(), 0) << "an audio thread runs with nothing to play";
}

TEST(SoundDevice, ClosesAfterTheMusicEndsYetTheMusicCanPlayAgain) {
  if (!std::filesystem::exists("/usr/share/sounds/sf2/TimGM6mb.sf2")) GTEST_SKIP() << "no sound font";
  SdlSound sound;
  ASSERT_TRUE(sound.MusicOpen(kMidi));
  ASSERT_TRUE(sound.MusicPlay());
  EXPECT_TRUE(sound.MusicPlaying());
  ASSERT_TRUE(Eventually([&] { return !sound.DeviceOpen(); })) << "the device stays open after the music";
  EXPECT_FALSE(sound.MusicPlaying());

  EXPECT_TRUE(sound.MusicPlay()) << "the music, still open, plays again";
  EXPECT_TRUE(sound.MusicPlaying());
  sound.MusicStop();
  EXPECT_FALSE(sound.MusicPlaying());
  EXPECT_TRUE(Eventually([&] { return !sound.DeviceOpen(); })) << "a stopped tune keeps the device open";
}

}  // namespace
