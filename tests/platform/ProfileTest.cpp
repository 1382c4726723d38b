#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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

int Put(const std::string& value) { return WritePrivateProfileKeys("S", {{"k", value}}, "zentravo.ini"); }

class Profile : public testing::Test {
 protected:
  TempWinDir dir;
  // Names below `folder` (links not followed) other than the settings file and its lock, sorted.
  std::vector<std::string> Leftovers(std::string folder = "") const {
    if (folder.empty()) folder = dir.Path();
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      std::string name = entry.path().lexically_relative(folder).string();
      if (name != "zentravo.ini" && name != "zentravo.ini.lock") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

// A folder of the test's own on another filesystem than `near`'s (/dev/shm,
// a tmpfs), removed afterwards; empty when the machine has none.
struct FarFolder {
  std::string path;
  explicit FarFolder(const std::string& near) {
    char name[] = "/dev/shm/zentravo-test-XXXXXX";
    struct stat far{}, here{};
    if (!mkdtemp(name)) return;
    if (stat(name, &far) == 0 && stat(near.c_str(), &here) == 0 && far.st_dev != here.st_dev) path = name;
    else rmdir(name);
  }
  ~FarFolder() {
    std::error_code ignored;
    if (!path.empty()) fs::remove_all(path, ignored);
  }
};

// Only the first section of a name, and the first key of a name in it, is
// read; one byte-order mark is skipped.
TEST_F(Profile, NamesMatchWithoutCaseTheFirstCountsValuesAreTrimmedUnquotedAndCut) {
  EXPECT_EQ(Get("S", "k"), "dflt");  // no file
  const std::pair<std::string, const char*> cases[] = {
      {"[Other]\nk=1", "dflt"},     {"[S]\nFlag=1", "dflt"},  {"; c\r\n[s]\r\n  K =  1 0 \r\n", "1 0"},
      {"[S]\nk=\"50\"", "50"},      {"[S]\nk='1'", "1"},      {"[S]\nk= \t\"a b\"  ", "a b"},
      {"[S]\nk=\"\"", ""},          {"[S]\nk=\"x'", "\"x'"},  {"[S]\nk=\"", "\""},
      {"[S]\nk=a\"b\"", "a\"b\""},  {"[S]\nk=\"'q'\"", "'q'"},  {"[S]\nk=1\nK=2", "1"},
      {"[S]\nk=1\n[S]\nk=2", "1"},  {"[S]\nb=1\n[S]\nk=2", "dflt"},  {"\xEF\xBB\xBF[S]\r\nk=1\r\n", "1"}};
  for (const auto& [text, read] : cases) {
    dir.Write("zentravo.ini", text + "\n");
    EXPECT_EQ(Get("S", "k"), read) << text;
  }
  dir.Write("zentravo.ini", "[S]\nk=" + std::string(200, 'x') + "\n");
  EXPECT_EQ(Get("S", "k", 4), "xxx");
}

// A file that cannot be read is never replaced.
TEST_F(Profile, AFailedStepLeavesTheOldFileWholeAndNoTemporaryFile) {
  const std::pair<std::string, int> faults[] = {
      {"read", EIO}, {"lock", EWOULDBLOCK}, {"write", ENOSPC}, {"sync", EIO}, {"rename", EACCES}};
  for (auto [step, error] : faults) {
    dir.Write("zentravo.ini", "[S]\na=1\n");
    SetProfileFaultForTests([step = step, error = error](const std::string& at) { return at == step ? error : 0; });
    if (step == "read") EXPECT_EQ(Get("S", "a"), "dflt");
    EXPECT_EQ(WritePrivateProfileKeys("S", {{"a", "2"}, {"b", "2"}, {"c", "2"}}, "zentravo.ini"), error)
        << step;
    EXPECT_EQ(dir.Read("zentravo.ini"), "[S]\na=1\n") << step;
    EXPECT_EQ(Leftovers(), std::vector<std::string>{}) << step;
  }
  SetProfileFaultForTests({});
}

// The size bound: a write that would pass it fails, one that reaches it
// exactly is still read back; a file over it at the settings file's name
// reads as missing at once and no write replaces it (a FIFO there reads
// alike: DataFilesTest). Nor is a file written that its owner may not write:
// we run the tests as root, whom the mode does not stop, so only the owner's
// write bit counts.
TEST_F(Profile, NoFileOverTheSizeBoundIsWrittenOrReadNorOneItsOwnerMayNotWrite) {
  const size_t room = safefile::kMaxSettingsBytes - std::string("[S]\nk=\n").size();
  dir.Write("zentravo.ini", "[S]\nk=1\n");
  EXPECT_EQ(Put(std::string(room + 1, 'x')), EFBIG);
  EXPECT_TRUE(dir.Read("zentravo.ini") == "[S]\nk=1\n");
  ASSERT_EQ(chmod(dir.File("zentravo.ini").c_str(), 0466), 0);
  EXPECT_EQ(Put("2"), EACCES);
  EXPECT_EQ(dir.Read("zentravo.ini"), "[S]\nk=1\n");
  ASSERT_EQ(chmod(dir.File("zentravo.ini").c_str(), 0644), 0);
  EXPECT_EQ(Put(std::string(room, 'x')), 0);  // exactly the limit: still read back
  EXPECT_EQ(Get("S", "k", 2), "x");

  const std::string big = "[S]\nk=1\n" + std::string(safefile::kMaxSettingsBytes, ';');
  dir.Write("zentravo.ini", big);
  EXPECT_EQ(Get("S", "k"), "dflt");
  EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "2", "zentravo.ini"));
  EXPECT_TRUE(dir.Read("zentravo.ini") == big);
  EXPECT_EQ(Leftovers(), std::vector<std::string>{});
}

// zentravo.ini -> other/link -> real.ini, the links relative and "other" a
// link to a folder on another filesystem (a dotfiles folder on its own
// mount): the file they end in is replaced through a temporary file beside
// it, its mode kept, and stale temporary files there are removed; the lock
// stays beside the name, and no link is followed to make it.
TEST_F(Profile, ALinkedFileIsReplacedBesideItselfOnAnyFilesystemAndTheLockStaysBesideTheName) {
  FarFolder far(dir.Path());
  if (far.path.empty()) {
    const char* ci = std::getenv("CI");
    if (ci && std::string(ci) == "true") FAIL() << "no second filesystem at /dev/shm";
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
  EXPECT_EQ(Leftovers(), std::vector<std::string>{"other"});
  EXPECT_EQ(Leftovers(far.path), (std::vector<std::string>{"link", "real.ini", "real.ini.tmp-notours"}));

  fs::remove(dir.File("zentravo.ini.lock"));
  fs::create_symlink("other/made", dir.File("zentravo.ini.lock"));
  EXPECT_EQ(Put("3"), ELOOP);
  EXPECT_FALSE(fs::exists(dir.File("other/made")));
  EXPECT_EQ(dir.Read("other/real.ini"), "[T]\nz=9\n[S]\nk=2\n");
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
    while (!done) {
      const std::string text = dir.Read("zentravo.ini");
      torn += ini::Find(text, "S", "a") != ini::Find(text, "S", "b");
    }
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

// "k=3" put into each text: only the first section of a name, and the first
// key of a name in it, is replaced; one byte-order mark is kept; every other
// line is kept byte for byte; a key added to a section that ends the text
// without a line end starts a line of its own.
TEST(IniText, PutReplacesTheFirstMatchOnlyAndKeepsEveryOtherLine) {
  const std::string mark = "\xEF\xBB\xBF";
  const std::pair<std::string, std::string> put[] = {
      {"; c\r\n[s]\r\n K = 1 \r\n\r\n[T]\r\nz=9", "; c\r\n[s]\r\nk=3\r\n\r\n[T]\r\nz=9"},
      {"[s]\r\na=1\r\n\r\n[T]\r\nz=9", "[s]\r\na=1\r\nk=3\r\n\r\n[T]\r\nz=9"},
      {"[T]\r\nz=9", "[T]\r\nz=9\r\n[S]\r\nk=3\r\n"},
      {mark + "[S]\r\nk=1\r\n", mark + "[S]\r\nk=3\r\n"},
      {mark, mark + "[S]\nk=3\n"},
      {"[S]\nk=1\n[S]\nk=2\n", "[S]\nk=3\n[S]\nk=2\n"},
      {"[S]\nb=1\n[S]\nk=2\n", "[S]\nb=1\nk=3\n[S]\nk=2\n"},
      {"[S]\nk=1\nK=2\n", "[S]\nk=3\nK=2\n"},
      {"[S]\r\na=1", "[S]\r\na=1\r\nk=3\r\n"},
      {"[S]", "[S]\nk=3\n"}};
  for (const auto& [text, written] : put) EXPECT_EQ(ini::Put(text, "S", "k", "3"), written) << text;
  // A value cannot smuggle in another key.
  EXPECT_EQ(ini::Put("", "S", "k", "hi\r\nfirstrun=0"), "[S]\nk=hi  firstrun=0\n");
}

}  // namespace
