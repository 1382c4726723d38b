#include <optional>
#include <pwd.h>
#include <unistd.h>

#include "platform/Registry.h"
#include "platform/WinDir.h"

#include "startup/Starter.h"
#include "tests/startup/StartupFixture.h"

namespace {

using Settings = Startup;
const Starter::SettingsRecord& S() { return Starter::Settings; }

TEST_F(Settings, NoFileOrNoFirstRunGivesTheDefaults) {
  Starter::X_GetData();
  EXPECT_EQ(S().Intro, -1);
  EXPECT_EQ(S().Sound, -1);
  EXPECT_EQ(S().Below, -1);
  EXPECT_EQ(S().SpinSpeed, 1.0f);

  Starter::ResetForTests();
  WriteIni("firstrun=0\nIntro=0\nSound=0\nSpinSpeed=50\n");
  Starter::X_GetData();
  EXPECT_EQ(S().Intro, -1);
  EXPECT_EQ(S().Sound, -1);
  EXPECT_EQ(S().SpinSpeed, 1.0f);
}

TEST_F(Settings, SwitchIsTrueOnlyWhenItsNumberIsAboveZero) {
  WriteIni("firstrun=1\nIntro=2\nRunner=1abc\nGunner=-1\nFlag=0\nAbove=abc\nBelow=\n");
  Starter::X_GetData();
  EXPECT_EQ(S().Intro, -1);
  EXPECT_EQ(S().Runner, -1);
  EXPECT_EQ(S().Gunner, 0);
  EXPECT_EQ(S().Flag, 0);
  EXPECT_EQ(S().Above, 0);
  EXPECT_EQ(S().Below, 0);
  EXPECT_EQ(S().Sound, 0);  // missing
  EXPECT_EQ(S().SpinSpeed, 1.0f);
}

TEST_F(Settings, SpinSpeedIsBoundedToTheScrollBarsRange) {
  const std::pair<const char*, float> cases[] = {{"0", 1}, {"-5", 1},  {"abc", 1},   {"", 1},
                                                 {"2.5", 2.5f}, {"200", 200}, {"201", 200},
                                                 {"1e30", 200}, {"1e400", 200}};
  for (auto [text, expected] : cases) {
    Starter::ResetForTests();
    WriteIni(std::string("firstrun=1\nSpinSpeed=") + text + "\n");
    Starter::X_GetData();
    EXPECT_EQ(S().SpinSpeed, expected) << text;
  }
}

TEST_F(Settings, QuotedValuesCount) {
  WriteIni("firstrun=\"1\"\nSpinSpeed = \"50\" \nSound='0'\nFlag='1'\n");
  Starter::X_GetData();
  EXPECT_EQ(S().SpinSpeed, 50.0f);
  EXPECT_EQ(S().Sound, 0);
  EXPECT_EQ(S().Flag, -1);
}

TEST_F(Settings, GarbageFileNeverFails) {
  dir.Write("zentravo.ini", std::string("\0\xff[[[=\n==\n[Zorvik_The_Vexling\nfirstrun=1", 40));
  Starter::X_GetData();
  EXPECT_EQ(ErrorWindowCaption(), "");
  EXPECT_GE(S().SpinSpeed, 1.0f);
}

TEST_F(Settings, IniValueComesBackCutTo127Characters) {
  WriteIni("k=" + std::string(200, 'v') + "\n");
  EXPECT_EQ(System::GetIniData("zentravo.ini", "Zorvik_The_Vexling", "k"), std::string(127, 'v'));
  System::PutIniData("zentravo.ini", "Zorvik_The_Vexling", "k", "short");
  EXPECT_EQ(System::GetIniData("zentravo.ini", "Zorvik_The_Vexling", "K"), "short");
}

TEST_F(Settings, DirectoriesEndInABackslash) {
  System::GetDiectories();
  std::string expected = dir.Path();
  for (char& c : expected) if (c == '/') c = '\\';
  EXPECT_EQ(Starter::WinDir, expected + "\\");
  EXPECT_EQ(Starter::DataPath, expected + "\\Zentravo\\Zorvik_The_Vexling\\");

  setenv(kWinDirVariable, "/", 1);  // a root folder already ends in one
  System::GetDiectories();
  EXPECT_EQ(Starter::WinDir, "\\");
  EXPECT_EQ(Starter::DataPath, "\\Zentravo\\Zorvik_The_Vexling\\");

  const std::string longFolder = "/" + std::string(299, 'd');  // longer than the first buffer
  setenv(kWinDirVariable, longFolder.c_str(), 1);
  System::GetDiectories();
  EXPECT_EQ(Starter::DataPath, "\\" + std::string(299, 'd') + "\\Zentravo\\Zorvik_The_Vexling\\");
}

// The folder when no variable names it.
class Folders : public Startup {
 protected:
  void SetUp() override {
    for (const char* name : {kWinDirVariable, "XDG_DATA_HOME", "HOME"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_)
      if (value) setenv(name.c_str(), value->c_str(), 1);
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(Folders, WithoutHomeTheAccountEntryNamesTheFolder) {
  const struct passwd* account = getpwuid(getuid());
  ASSERT_NE(account, nullptr);
  for (const char* home : {static_cast<const char*>(nullptr), ""}) {
    if (home) setenv("HOME", home, 1);
    System::GetDiectories();
    std::string expected = std::string(account->pw_dir) + "/.local/share/zentravo/";
    for (char& c : expected) if (c == '/') c = '\\';
    EXPECT_EQ(Starter::WinDir, expected);
  }
}

TEST_F(Folders, WithNoFolderAtAllStartUpEndsWithOneLine) {
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

class RegValue : public Startup {
 protected:
  int16_t Read(const std::string& stored) {
    dir.Write("zentravo.reg", "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\nScreenSaveUsePassword=" + stored + "\n");
    return Starter::X_GetRegValue(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword");
  }
};

TEST_F(RegValue, NumbersFromDwordAndStringValues) {
  EXPECT_EQ(Read("dword:00000001"), 1);
  EXPECT_EQ(Read("dword:00000000"), 0);
  EXPECT_EQ(Read("dword:000004d2"), 123);  // 1234 keeps its first three digits
  EXPECT_EQ(Read("sz:1"), 1);
  EXPECT_EQ(Read("sz:abc"), 0);
  EXPECT_EQ(Read("sz:40000"), 0);  // beyond 16 bits
  EXPECT_EQ(Read("sz:"), 0);
  dir.Write("zentravo.reg", "");
  EXPECT_EQ(Starter::X_GetRegValue(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword"), 0);
}

TEST_F(Startup, VersionIsTheNtFamily) { EXPECT_EQ(System::GetVersion32(), "NT"); }

}  // namespace
