// What a write may make of the settings file and what lies around it. Odd
// targets are the test's own files and FIFOs, never anything of the system.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

#include "platform/IniText.h"
#include "platform/Profile.h"
#include "platform/SafeFile.h"
#include "platform/qt/InstanceLock.h"
#include "tests/common/TempWinDir.h"

namespace {

namespace fs = std::filesystem;

class SettingsFile : public testing::Test {
 protected:
  TempWinDir dir;
  int Write(const std::string& value) { return WritePrivateProfileKeys("S", {{"k", value}}, "zentravo.ini"); }
  // Every name below the folder, links not followed.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
      names.push_back(entry.path().lexically_relative(dir.Path()).string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(SettingsFile, AWriteThatTheNextReadWouldRefuseFailsAndKeepsTheFile) {
  const size_t room = safefile::kMaxSettingsBytes - std::string("[S]\nk=\n").size();
  dir.Write("zentravo.ini", "[S]\nk=1\n");
  EXPECT_EQ(Write(std::string(room + 1, 'x')), EFBIG);
  EXPECT_TRUE(dir.Read("zentravo.ini") == "[S]\nk=1\n");
  EXPECT_EQ(Write(std::string(room, 'x')), 0);  // exactly the limit: still read back
  char c[2];
  EXPECT_EQ(GetPrivateProfileStringA("S", "k", "", c, 2, "zentravo.ini"), 1);
}

// We run the tests as root, whom the mode does not stop: only the mode counts.
TEST_F(SettingsFile, AFileItsOwnerMayNotWriteStaysUnwrittenDirectOrThroughALink) {
  for (auto [file, mode] : {std::pair("zentravo.ini", 0444), std::pair("real.ini", 0466)}) {
    dir.Write(file, "[S]\nk=1\n");
    ASSERT_EQ(chmod(dir.File(file).c_str(), mode), 0);
    if (file != std::string("zentravo.ini")) fs::create_symlink(file, dir.File("zentravo.ini"));
    EXPECT_EQ(Write("2"), EACCES) << file;
    EXPECT_EQ(dir.Read(file), "[S]\nk=1\n") << file;
    ASSERT_EQ(chmod(dir.File(file).c_str(), 0644), 0);
    EXPECT_EQ(Write("2"), 0) << file;
    fs::remove(dir.File("zentravo.ini"));
  }
}

// zentravo.ini -> other/link -> real.ini, the links relative.
TEST_F(SettingsFile, LockAndTemporaryFilesStayBesideTheNameAndNoLinkIsFollowedToMakeThem) {
  fs::create_directory(dir.File("other"));
  ASSERT_EQ(mkfifo(dir.File("other/fifo").c_str(), 0600), 0);
  fs::create_symlink("other/fifo", dir.File("zentravo.ini"));
  EXPECT_EQ(Write("2"), EINVAL);
  EXPECT_EQ(Names(), (std::vector<std::string>{"other", "other/fifo", "zentravo.ini"}));

  fs::remove(dir.File("zentravo.ini"));
  dir.Write("other/real.ini", "[S]\nk=1\n");
  ASSERT_EQ(chmod(dir.File("other/real.ini").c_str(), 0640), 0);
  fs::create_symlink("real.ini", dir.File("other/link"));
  fs::create_symlink("other/link", dir.File("zentravo.ini"));
  dir.Write("other/real.ini.tmp-Ab12Cd", "not ours");
  dir.Write("zentravo.ini.tmp-Ab12Cd", "[S]\nk=stale\n");  // left by an interrupted write
  dir.Write("zentravo.ini.tmp-notours", "mine");
  EXPECT_EQ(Write("2"), 0);
  EXPECT_EQ(dir.Read("other/real.ini"), "[S]\nk=2\n");
  EXPECT_EQ(fs::status(dir.File("other/real.ini")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Names(), (std::vector<std::string>{"other", "other/fifo", "other/link", "other/real.ini",
                                               "other/real.ini.tmp-Ab12Cd", "zentravo.ini", "zentravo.ini.lock",
                                               "zentravo.ini.tmp-notours"}));

  fs::remove(dir.File("zentravo.ini.lock"));
  fs::create_symlink("other/made", dir.File("zentravo.ini.lock"));
  EXPECT_EQ(Write("3"), ELOOP);
  EXPECT_FALSE(fs::exists(dir.File("other/made")));
  EXPECT_EQ(dir.Read("other/real.ini"), "[S]\nk=2\n");
}

TEST(IniText, AByteOrderMarkIsSkippedWhenReadAndKeptWhenWritten) {
  const std::string mark = "\xEF\xBB\xBF";
  EXPECT_EQ(ini::Find(mark + "[S]\r\nk=1\r\n", "S", "k").value(), "1");
  EXPECT_EQ(ini::Put(mark + "[S]\r\nk=1\r\n", "S", "k", "2"), mark + "[S]\r\nk=2\r\n");
  EXPECT_EQ(ini::Put(mark, "S", "k", "2"), mark + "[S]\nk=2\n");
}

// One show at a time: a second lock in the same folder sees the first. A link,
// a folder or a FIFO at the lock's name counts as held (the rule stays on)
// and is named on stderr; no link is followed to make a file.
TEST(InstanceLockFile, AnythingButOurOwnPlainFileCountsAsHeldAndNoLinkIsFollowed) {
  TempWinDir dir;
  const std::string lock = dir.File(".instance-lock");
  {
    InstanceLock first(dir.Path()), second(dir.Path());
    EXPECT_FALSE(first.OthersRunning());
    EXPECT_TRUE(second.OthersRunning());
  }
  fs::remove(lock);
  fs::remove(dir.File(".instance-guard"));
  fs::create_symlink("made-guard", dir.File(".instance-guard"));
  const std::pair<const char*, std::function<void()>> odd[] = {
      {"dangling link", [&] { fs::create_symlink("made", lock); }},
      {"link to a file", [&] { dir.Write("mine", ""); fs::create_symlink("mine", lock); }},
      {"folder", [&] { fs::create_directory(lock); }},
      {"FIFO", [&] { ASSERT_EQ(mkfifo(lock.c_str(), 0600), 0); }}};
  for (const auto& [name, make] : odd) {
    make();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(InstanceLock(dir.Path()).OthersRunning()) << name;
    EXPECT_NE(testing::internal::GetCapturedStderr().find(lock + " is not a plain file"), std::string::npos) << name;
    EXPECT_FALSE(fs::exists(dir.File("made")) || fs::exists(dir.File("made-guard"))) << name;
    fs::remove_all(lock);
  }
}

}  // namespace
