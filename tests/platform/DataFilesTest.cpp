// The data files (theme, effects, preview strip) as the program reaches them:
// whatever lies at their names, and whatever the folder is called.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/Gdi32.h"
#include "platform/WinMM.h"
#include "platform/fake/FakeBackend.h"
#include "tests/common/TempWinDir.h"

namespace {

class DataFiles : public testing::Test {
 protected:
  TempWinDir dir;
  FakeBackend host;
  void TearDown() override { mciSendStringA("close theme", nullptr, 0, 0); }

  // The program's path of a file in the Windows directory.
  static std::string ProgramPath(const std::string& name) {
    char buffer[4096];
    unsigned n = GetWindowsDirectoryA(buffer, sizeof buffer);
    return std::string(buffer, n) + "\\" + name;
  }
  static uint32_t OpenTheme(const std::string& programPath) {
    return mciSendStringA(("open \"" + programPath + "\" type sequencer alias theme").c_str(), nullptr, 0, 0);
  }
};

TEST_F(DataFiles, AnythingButARegularFileOfASaneSizeIsMissing) {
  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
  std::ofstream(dir.File("big")) << std::string((16 << 20) + 1, 'x');
  for (const char* name : {"fifo", "big"}) {
    const std::string data = ProgramPath(name);
    EXPECT_EQ(OpenTheme(data), MCIERR_FILE_NOT_FOUND) << name;
    EXPECT_FALSE(sndPlaySoundA(data.c_str(), SND_ASYNC)) << name;
    EXPECT_EQ(LoadImageA(0, data.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), 0u) << name;
  }
  EXPECT_EQ(host.calls, std::vector<std::string>{}) << "the sound system saw them";
}

TEST_F(DataFiles, AFolderNamedWithQuotesAndBackslashesStillHoldsThem) {
  const std::string folder = dir.File("my \"saver\" \\ files");
  std::filesystem::create_directory(folder);
  setenv(kWinDirVariable, folder.c_str(), 1);
  std::ofstream(folder + "/z_wumble.mid") << "MThd";
  std::ofstream(folder + "/z_step.wav") << "RIFF";

  EXPECT_EQ(OpenTheme(ProgramPath("z_wumble.mid")), 0u);
  EXPECT_TRUE(sndPlaySoundA(ProgramPath("z_step.wav").c_str(), SND_ASYNC));
  EXPECT_EQ(host.calls, (std::vector<std::string>{"MusicOpen " + folder + "/z_wumble.mid",
                                                  "PlayEffect " + folder + "/z_step.wav"}));
  // The bytes read, so that nothing put at the name since can reach the sound system.
  EXPECT_EQ(host.given, (std::vector<std::string>{"MThd", "RIFF"}));
}

}  // namespace
