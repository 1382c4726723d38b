#include <optional>
#include <pwd.h>
#include <unistd.h>

#include "tests/startup/StartupFixture.h"

namespace {

using Settings = Startup;

TEST_F(Settings, SwitchesAreOnAboveZeroTheSpeedIsBoundedAndDefaultsHoldUntilTheFirstRun) {
  // Intro, Runner, Gunner, Flag, Above, Below, Sound, SpinSpeed.
  auto allOff = [](float speed) { return std::vector<float>{0, 0, 0, 0, 0, 0, 0, speed}; };
  const std::pair<const char*, std::vector<float>> cases[] = {
      {"firstrun=0\nIntro=0\nSound=0\nSpinSpeed=50\n", {-1, -1, -1, -1, -1, -1, -1, 1}},  // the defaults
      {"firstrun=1\nIntro=2\nRunner=1abc\nGunner=-1\nFlag=0\nAbove=abc\nBelow=\nSpinSpeed=2.5\n",
       {-1, -1, 0, 0, 0, 0, 0, 2.5f}},
      {"firstrun=1\nSpinSpeed=0\n", allOff(1)},
      {"firstrun=1\nSpinSpeed=201\n", allOff(200)},
  };
  for (const auto& [ini, expected] : cases) {
    Starter::ResetForTests();
    dir.Write("zentravo.ini", std::string("[Zorvik_The_Vexling]\n") + ini);
    Starter::X_GetData();
    const Starter::SettingsRecord& s = Starter::Settings;
    EXPECT_EQ((std::vector<float>{float(s.Intro), float(s.Runner), float(s.Gunner), float(s.Flag), float(s.Above),
                                  float(s.Below), float(s.Sound), s.SpinSpeed}),
              expected)
        << ini;
  }
}

// The folder's name may end in a separator of either kind; the data folder
// lies below it, a backslash between them.
TEST_F(Settings, DirectoriesOfAnyLengthEndInABackslashAndHoldTheDataFolder) {
  const std::string longFolder = "/" + std::string(299, 'd');  // longer than the first buffer
  const std::pair<std::string, std::string> cases[] = {
      {dir.Path() + "/", dir.Path()}, {dir.Path() + "\\", dir.Path()}, {longFolder, longFolder}};
  for (const auto& [variable, folder] : cases) {
    setenv(kWinDirVariable, variable.c_str(), 1);
    System::GetDiectories();
    EXPECT_EQ(HostPath(Starter::DataPath), folder + "/Zentravo/Zorvik_The_Vexling/") << variable;
  }
}

// The folder when no variable names it.
class Folders : public Startup {
 protected:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
  void SetUp() override {
    for (const char* name : {kWinDirVariable, "XDG_DATA_HOME", "HOME"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
  }
};

// A relative XDG_DATA_HOME is ignored; without HOME the account entry names
// the folder, and without an account entry either, start-up ends with one line.
TEST_F(Folders, ComesFromHomeOrTheAccountEntryOrStartUpEndsWithOneLine) {
  setenv("HOME", "/home/someone", 1);
  setenv("XDG_DATA_HOME", "relative/data", 1);
  EXPECT_EQ(WindowsDirectoryHostPath(), "/home/someone/.local/share/zentravo");
  const struct passwd* account = getpwuid(getuid());
  ASSERT_NE(account, nullptr);
  for (const char* home : {"", static_cast<const char*>(nullptr)}) {
    home ? setenv("HOME", home, 1) : unsetenv("HOME");
    EXPECT_EQ(WindowsDirectoryHostPath(), std::string(account->pw_dir) + "/.local/share/zentravo");
  }
  if (geteuid() != 0) GTEST_SKIP() << "needs to become a user without an account entry";
  uid_t stranger = 54321;
  while (getpwuid(stranger)) ++stranger;
  EXPECT_EXIT(
      {
        if (setuid(stranger) != 0) _exit(99);
        try {
          System::GetDiectories();
        } catch (const ProcessEnded& ended) {
          _exit(ended.code);
        }
        _exit(98);
      },
      testing::ExitedWithCode(1), "^zentravo: no folder for the settings: set HOME or XDG_DATA_HOME\n$");
}

}  // namespace
