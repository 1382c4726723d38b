#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <sys/stat.h>
#include <thread>

#include "platform/IniText.h"
#include "platform/Profile.h"
#include "platform/SafeFile.h"
#include "platform/qt/InstanceLock.h"
#include "tests/common/TempWinDir.h"

namespace {

namespace fs = std::filesystem;

std::string Get(const char* section, const char* key, long size = 128) {
  char buffer[512];
  long n = GetPrivateProfileStringA(section, key, "dflt", buffer, size, "zentravo.ini");
  EXPECT_EQ(n, static_cast<long>(std::string(buffer).size()));
  return buffer;
}

int Put(const std::string& v) { return WritePrivateProfileStringA("S", "k", v.c_str(), "zentravo.ini") ? 0 : errno; }

class Profile : public testing::Test {
 protected:
  TempWinDir dir;
  // Names below `folder` (links not followed) other than the settings file and its lock, sorted.
  std::vector<std::string> Leftovers(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      std::string name = entry.path().lexically_relative(folder).string();
      if (name != "zentravo.ini" && name != "zentravo.ini.lock") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

// A folder of the test's own under /dev/shm (a tmpfs), removed afterwards.
struct FarFolder {
  char path[30] = "/dev/shm/zentravo-test-XXXXXX";
  const bool made = mkdtemp(path) != nullptr;
  ~FarFolder() { std::error_code ignored; if (made) fs::remove_all(path, ignored); }
};

// What "k" in section "S" of each text reads as, and the text after "k=3" is
// put in (where given): only the first section of a name, and the first key
// of a name in it, counts, names matched without case; one byte-order mark is
// skipped and kept; a value is trimmed, then unquoted once; every other line
// is kept byte for byte; a key added to a section that ends the text without
// a line end starts a line of its own.
TEST_F(Profile, ReadAndPutFindTheFirstMatchOnlyAndKeepEveryOtherLine) {
  EXPECT_EQ(Get("S", "k"), "dflt");  // no file
  const std::string mark = "\xEF\xBB\xBF";
  const std::tuple<std::string, const char*, std::string> cases[] = {
      {"; c\r\n[s]\r\n K =  1 0 \r\n\r\n[T]\r\nz=9", "1 0", "; c\r\n[s]\r\nk=3\r\n\r\n[T]\r\nz=9"},
      {"[s]\r\na=1\r\n\r\n[T]\r\nz=9", "dflt", "[s]\r\na=1\r\nk=3\r\n\r\n[T]\r\nz=9"},
      {"[T]\r\nk=9", "dflt", "[T]\r\nk=9\r\n[S]\r\nk=3\r\n"},
      {mark + "[S]\r\nk=1\r\n", "1", mark + "[S]\r\nk=3\r\n"},
      {mark, "dflt", mark + "[S]\nk=3\n"},
      {"[S]\nk=1\n[S]\nk=2\n", "1", "[S]\nk=3\n[S]\nk=2\n"},
      {"[S]\nb=1\n[S]\nk=2\n", "dflt", "[S]\nb=1\nk=3\n[S]\nk=2\n"},
      {"[S]\nk=1\nK=2\n", "1", "[S]\nk=3\nK=2\n"},
      {"[T]\r\nz=9\r\n[S]", "dflt", "[T]\r\nz=9\r\n[S]\r\nk=3\r\n"},
      {"[S]\nk= \t\"a b\"  ", "a b", ""}, {"[S]\nk='1'", "1", ""},       {"[S]\nk=\"\"", "", ""},
      {"[S]\nk=\"x'", "\"x'", ""},        {"[S]\nk=\"", "\"", ""},      {"[S]\nk=a\"b\"", "a\"b\"", ""},
      {"[S]\nk=\"'q'\"", "'q'", ""}};
  for (const auto& [text, read, written] : cases) {
    dir.Write("zentravo.ini", text);
    EXPECT_EQ(Get("S", "k"), read) << text;
    if (!written.empty()) EXPECT_EQ(ini::Put(text, "S", "k", "3"), written) << text;
  }
  dir.Write("zentravo.ini", "[S]\nk=" + std::string(200, 'x') + "\n");
  EXPECT_EQ(Get("S", "k", 4), "xxx");
  // A value cannot smuggle in another key.
  EXPECT_EQ(ini::Put("", "S", "k", "hi\r\nfirstrun=0"), "[S]\nk=hi  firstrun=0\n");
}

// Each way a write fails returns why, and leaves the old file whole and no
// temporary file: a failed step; a file its owner may not write (we run the
// tests as root, whom the mode does not stop: only the owner's write bit
// counts); a text the next read would refuse; a file over the size bound,
// which reads as missing at once. A text of exactly the bound is still read.
TEST_F(Profile, AFailedWriteSaysWhyAndLeavesTheOldFileWholeAndNoTemporaryFile) {
  const size_t room = safefile::kMaxSettingsBytes - std::string("[S]\nk=\n").size();
  const std::string file = "[S]\nk=1\n", big = file + std::string(safefile::kMaxSettingsBytes, ';');
  const std::tuple<std::string, int, std::string, int, std::string> cases[] = {
      {"read", EIO, file, 0644, "2"},   {"lock", EWOULDBLOCK, file, 0644, "2"}, {"write", ENOSPC, file, 0644, "2"},
      {"sync", EIO, file, 0644, "2"},   {"rename", EACCES, file, 0644, "2"},    {"", EACCES, file, 0466, "2"},
      {"", EINVAL, big, 0644, "2"},     {"", EFBIG, file, 0644, std::string(room + 1, 'x')}};
  for (const auto& [step, error, before, mode, value] : cases) {
    dir.Write("zentravo.ini", before);
    ASSERT_EQ(chmod(dir.File("zentravo.ini").c_str(), mode), 0);
    SetProfileFaultForTests([step = step, error = error](const std::string& at) { return at == step ? error : 0; });
    EXPECT_EQ(Get("S", "k"), step == "read" || before == big ? "dflt" : "1") << step << error;
    EXPECT_EQ(Put(value), error) << step << error;
    EXPECT_TRUE(dir.Read("zentravo.ini") == before) << step << error;
    EXPECT_EQ(Leftovers(dir.Path()), std::vector<std::string>{}) << step << error;
  }
  SetProfileFaultForTests({});
  EXPECT_EQ(Put(std::string(room, 'x')), 0);  // over the last row's file
  EXPECT_EQ(Get("S", "k", 2), "x");
}

// zentravo.ini -> other/link -> real.ini, the links relative and "other" a
// link to a folder on another filesystem (a dotfiles folder on its own
// mount): the file they end in is replaced through a temporary file beside
// it, its mode kept, and stale temporary files there are removed; the lock
// stays beside the name. A chain that ends in anything but a regular file is
// not written through, and no link is followed to make the lock.
TEST_F(Profile, ALinkedFileIsReplacedBesideItselfOnAnyFilesystemAndTheLockStaysBesideTheName) {
  FarFolder far;
  struct stat there{}, here{};
  if (!far.made || stat(far.path, &there) != 0 || stat(dir.Path().c_str(), &here) != 0 || there.st_dev == here.st_dev) {
    if (const char* ci = std::getenv("CI"); ci && std::string(ci) == "true") FAIL() << "no second filesystem at /dev/shm";
    GTEST_SKIP() << "no second filesystem at /dev/shm";
  }
  fs::create_directory_symlink(far.path, dir.File("other"));
  dir.Write("other/real.ini", "[T]\nz=9\n[S]\nk=1\n");
  ASSERT_EQ(chmod(dir.File("other/real.ini").c_str(), 0640), 0);
  fs::create_symlink("real.ini", dir.File("other/link"));
  fs::create_symlink("other/link", dir.File("zentravo.ini"));
  dir.Write("other/real.ini.tmp-Ab12Cd", "[S]\nk=stale\n");  // left by an interrupted write
  dir.Write("other/real.ini.tmp-notours", "mine");
  EXPECT_EQ(Put("2"), 0);
  EXPECT_EQ(dir.Read("other/real.ini"), "[T]\nz=9\n[S]\nk=2\n");
  EXPECT_EQ(fs::status(dir.File("other/real.ini")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_TRUE(fs::is_symlink(dir.File("zentravo.ini")) && fs::is_regular_file(dir.File("zentravo.ini.lock")));
  EXPECT_EQ(Leftovers(dir.Path()), std::vector<std::string>{"other"});
  EXPECT_EQ(Leftovers(far.path), (std::vector<std::string>{"link", "real.ini", "real.ini.tmp-notours"}));

  fs::remove(dir.File("other/real.ini"));
  ASSERT_EQ(mkfifo(dir.File("other/real.ini").c_str(), 0600), 0);
  EXPECT_EQ(Put("3"), EINVAL);
  EXPECT_TRUE(fs::is_fifo(dir.File("other/real.ini")));

  fs::remove(dir.File("zentravo.ini.lock"));
  fs::create_symlink("other/made", dir.File("zentravo.ini.lock"));
  fs::remove(dir.File("zentravo.ini"));
  EXPECT_EQ(Put("3"), ELOOP);
  EXPECT_FALSE(fs::exists(dir.File("other/made")));
}

// A link, a folder or a FIFO at the lock's name counts as a running instance
// (the rule stays on) and is named on stderr; no link is followed to make a
// file. (The rule itself is run end to end.)
TEST(InstanceLockFile, AnythingButOurOwnPlainFileCountsAsHeldAndNoLinkIsFollowed) {
  TempWinDir dir;
  const std::string lock = dir.File(".instance-lock");
  fs::create_symlink("made-guard", dir.File(".instance-guard"));
  const std::pair<const char*, std::function<void()>> odd[] = {
      {"dangling link", [&] { fs::create_symlink("made", lock); }},
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

// Writers each set keys a and b to a value of their own and add a key of
// their own: no key is lost, and a reader never sees two writes mixed.
TEST_F(Profile, ConcurrentWritersNeverLoseAKeyNorTearAWrite) {
  auto own = [](int w, int i) { return "w" + std::to_string(w) + "k" + std::to_string(i); };
  std::atomic<bool> done = false;
  std::atomic<int> torn = 0;
  std::thread reader([&] {
    for (std::string text; !done; text = dir.Read("zentravo.ini"))
      torn += ini::Find(text, "S", "a") != ini::Find(text, "S", "b");
  });
  std::vector<std::thread> writers;
  for (int w = 0; w < 3; ++w)
    writers.emplace_back([&, w] {
      for (int i = 0; i < 20; ++i)
        EXPECT_EQ(WritePrivateProfileKeys("S", {{"a", own(w, i)}, {own(w, i), "1"}, {"b", own(w, i)}}, "zentravo.ini"),
                  0);
    });
  for (auto& t : writers) t.join();
  done = true;
  reader.join();
  EXPECT_EQ(torn, 0);
  for (int w = 0; w < 3; ++w)
    for (int i = 0; i < 20; ++i) EXPECT_EQ(Get("S", own(w, i).c_str()), "1");
}

}  // namespace
