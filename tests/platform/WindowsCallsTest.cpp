#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Registry.h"
#include "platform/Runtime.h"
#include "platform/User32.h"
#include "platform/WinMM.h"
#include "platform/fake/FakeBackend.h"
#include "tests/common/TempWinDir.h"

namespace {

class Mci : public testing::Test {
 protected:
  TempWinDir dir;
  FakeBackend host;
  char reply[256] = {};
  uint32_t Send(const std::string& command) { return mciSendStringA(command.c_str(), reply, 255, 0); }
  void TearDown() override { Send("close theme"); }
};

TEST_F(Mci, ThemeLifecycleAnswersPlayingThenStopped) {
  dir.Write("theme.mid", "MThd");
  std::string open = "open \"" + dir.Path() + "/theme.mid\" type sequencer alias theme";
  for (char& c : open) if (c == '/') c = '\\';  // program paths use backslashes
  ASSERT_EQ(Send(open), 0u);
  EXPECT_EQ(host.CallsStartingWith("MusicOpen").at(0), "MusicOpen " + dir.Path() + "/theme.mid");
  ASSERT_EQ(Send("play theme from 0"), 0u);
  ASSERT_EQ(Send("status theme mode"), 0u);
  EXPECT_STREQ(reply, "playing");
  char small[4];  // the reply is cut to its buffer
  mciSendStringA("status theme mode", small, 4, 0);
  EXPECT_STREQ(small, "pla");
  host.now += 30;  // the theme has ended by itself
  ASSERT_EQ(Send("status theme mode"), 0u);
  EXPECT_STREQ(reply, "stopped");
  EXPECT_EQ(Send("close theme"), 0u);
}

TEST_F(Mci, FailuresAnswerWithACodeAndNeverPlaying) {
  EXPECT_NE(Send("status theme mode"), 0u);
  EXPECT_STREQ(reply, "");
  EXPECT_EQ(Send("open \"/no/such/file.mid\" type sequencer alias theme"), MCIERR_FILE_NOT_FOUND);
  for (const char* command : {"stop theme", "close theme", "play theme from 0", "", "open", "dance theme"})
    EXPECT_NE(Send(command), 0u) << command;
}

TEST(Registry, ReadsDwordAndStringValues) {
  TempWinDir dir;
  dir.Write("zentravo.reg",
            "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\nScreenSaveUsePassword=dword:000004d2\nName=sz:ab\n");
  uint32_t type = 0, size = 0;
  uint8_t data[64] = {};
  auto query = [&](const char* name) {
    HKEY key = 0;
    RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key);
    size = sizeof data;
    long r = RegQueryValueExA(key, name, nullptr, &type, data, &size);
    RegCloseKey(key);
    return r;
  };
  ASSERT_EQ(query("ScreenSaveUsePassword"), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  ASSERT_EQ(size, 4u);
  EXPECT_EQ(data[0] + 256 * data[1], 1234);
  ASSERT_EQ(query("name"), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 3u);
  EXPECT_STREQ(reinterpret_cast<char*>(data), "ab");
  EXPECT_NE(query("Missing"), ERROR_SUCCESS);
}

TEST(Cursor, HiddenWhileTheCounterIsBelowZero) {
  FakeBackend host;
  int start = CursorDisplayCount();
  ShowCursor(0);
  EXPECT_EQ(host.pointerHidden, start - 1 < 0);
  ShowCursor(-1);
  EXPECT_EQ(CursorDisplayCount(), start);
  EXPECT_EQ(host.pointerHidden, start < 0);
}

TEST(Rnd, SameSeedSameSequenceAndRange) {
  FakeBackend host;
  vb::Randomize(1234.5);
  std::vector<float> first(1000), again(1000);
  for (float& r : first) r = vb::Rnd();
  vb::Randomize(1234.5);
  for (float& r : again) r = vb::Rnd();
  EXPECT_EQ(first, again);
  EXPECT_GE(*std::min_element(first.begin(), first.end()), 0.0f);
  EXPECT_LT(*std::max_element(first.begin(), first.end()), 1.0f);
}

}  // namespace
