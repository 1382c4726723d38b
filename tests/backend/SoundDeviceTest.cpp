// The audio device is open only while something sounds: it opens for an
// effect or the music, closes once they have ended (and with it the audio
// thread), and opens again at once for the next sound.
#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <cstdint>
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

void Put(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A 22050 Hz mono 16-bit tone of `seconds`.
std::string Wav(double seconds) {
  uint32_t samples = static_cast<uint32_t>(22050 * seconds);
  std::string wav = "RIFF";
  Put(wav, 36 + samples * 2, 4);
  wav += "WAVEfmt ";
  Put(wav, 16, 4), Put(wav, 1, 2), Put(wav, 1, 2), Put(wav, 22050, 4), Put(wav, 44100, 4), Put(wav, 2, 2),
      Put(wav, 16, 2);
  wav += "data";
  Put(wav, samples * 2, 4);
  for (uint32_t i = 0; i < samples; ++i) Put(wav, (i / 25) % 2 ? 8000 : -8000, 2);
  return wav;
}

// One short note.
std::string Midi() {
  const std::string track = std::string("\x00\x90\x3c\x64\x60\x80\x3c\x00\x00\xff\x2f\x00", 12);
  std::string midi("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60MTrk", 18);
  for (int shift = 24; shift >= 0; shift -= 8) midi += static_cast<char>((track.size() >> shift) & 0xFF);
  return midi + track;
}

class SoundDevice : public testing::Test {
 protected:
  TempWinDir dir;
  SdlSound sound;
};

TEST_F(SoundDevice, OpensForAnEffectClosesAfterItAndOpensAgainForTheNext) {
  dir.Write("beep.wav", Wav(0.05));
  EXPECT_FALSE(sound.DeviceOpen()) << "nothing has sounded yet";
  EXPECT_EQ(AudioThreads(), 0);

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
  dir.Write("tune.mid", Midi());
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

TEST_F(SoundDevice, AnEffectThatCannotBeLoadedLeavesTheDeviceToClose) {
  EXPECT_FALSE(sound.PlayEffect(dir.File("missing.wav")));
  EXPECT_TRUE(Eventually([&] { return !sound.DeviceOpen(); }));
  EXPECT_EQ(AudioThreads(), 0);
}

}  // namespace
