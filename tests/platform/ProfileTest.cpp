#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "platform/IniText.h"
#include "platform/Profile.h"
#include "tests/common/TempWinDir.h"

namespace {

namespace fs = std::filesystem;

std::string Get(const char* section, const char* key, long size = 128) {
  char buffer[512];
  long n = GetPrivateProfileStringA(section, key, "dflt", buffer, size, "zentravo.ini");
  EXPECT_EQ(n, static_cast<long>(std::string(buffer).size()));
  return buffer;
}

// Every test starts and ends without an injected fault.
class Profile : public testing::Test {
 protected:
  TempWinDir dir;
  void TearDown() override { SetProfileFaultForTests({}); }
  void FailAt(const std::string& step, int error) {
    SetProfileFaultForTests([step, error](const std::string& at) { return at == step ? error : 0; });
  }
  // Names in the folder other than the settings file and its lock.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
      std::string name = entry.path().filename().string();
      if (name != "zentravo.ini" && name != "zentravo.ini.lock") names.push_back(name);
    }
    return names;
  }
};

TEST_F(Profile, NamesMatchWithoutCaseValuesAreTrimmedUnquotedAndCut) {
  EXPECT_EQ(Get("S", "k"), "dflt");  // no file
  const std::pair<std::string, const char*> cases[] = {
      {"[Other]\nk=1", "dflt"},     {"[S]\nFlag=1", "dflt"},  {"; c\r\n[s]\r\n  K =  1 0 \r\n", "1 0"},
      {"[S]\nk=\"50\"", "50"},      {"[S]\nk='1'", "1"},      {"[S]\nk= \t\"a b\"  ", "a b"},
      {"[S]\nk=\"\"", ""},          {"[S]\nk=\"x'", "\"x'"},  {"[S]\nk=\"", "\""},
      {"[S]\nk=a\"b\"", "a\"b\""},  {"[S]\nk=\"'q'\"", "'q'"}};
  for (const auto& [text, read] : cases) {
    dir.Write("zentravo.ini", text + "\n");
    EXPECT_EQ(Get("S", "k"), read) << text;
  }
  dir.Write("zentravo.ini", "[S]\nk=" + std::string(200, 'x') + "\n");
  EXPECT_EQ(Get("S", "k"), std::string(127, 'x'));
  EXPECT_EQ(Get("S", "k", 4), "xxx");
}

// What may lie at the settings file's name besides a file: each reads as
// missing at once, and no write replaces it.
TEST_F(Profile, AnythingButARegularFileOfASaneSizeReadsAsMissingAndIsKept) {
  const std::pair<const char*, std::function<void(const std::string&)>> notAFile[] = {
      {"FIFO", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }},
      {"link to /dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }},
      {"folder", [](const std::string& p) { fs::create_directory(p); }},
      {"file over 1 MiB", [](const std::string& p) { std::ofstream(p) << "[S]\nk=1\n" << std::string(1 << 20, ';'); }}};
  for (const auto& [name, make] : notAFile) {
    const std::string path = dir.File("zentravo.ini");
    make(path);
    EXPECT_EQ(Get("S", "k"), "dflt") << name;
    EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "2", "zentravo.ini")) << name;
    EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(path)) && fs::file_size(path) < 100) << name;
    EXPECT_EQ(Leftovers(), std::vector<std::string>{}) << name;
    fs::remove_all(path);
  }
}

// A file that cannot be read is never replaced.
TEST_F(Profile, AFailedStepLeavesTheOldFileWholeAndNoTemporaryFile) {
  const std::pair<std::string, int> faults[] = {{"read", EACCES}, {"read", EIO},   {"lock", EWOULDBLOCK},
                                                {"write", ENOSPC}, {"sync", EIO},   {"rename", EACCES}};
  for (auto [step, error] : faults) {
    dir.Write("zentravo.ini", "[S]\na=1\n");
    FailAt(step, error);
    if (step == "read") EXPECT_EQ(Get("S", "a"), "dflt");
    EXPECT_EQ(WritePrivateProfileKeys("S", {{"a", "2"}, {"b", "2"}, {"c", "2"}}, "zentravo.ini"), error)
        << step;
    EXPECT_EQ(dir.Read("zentravo.ini"), "[S]\na=1\n") << step;
    EXPECT_EQ(Leftovers(), std::vector<std::string>{}) << step;
  }
  SetProfileFaultForTests({});
  EXPECT_EQ(WritePrivateProfileKeys("S", {{"a", "2"}, {"b", "2"}, {"c", "2"}}, "zentravo.ini"), 0);
  EXPECT_EQ(dir.Read("zentravo.ini"), "[S]\na=2\nb=2\nc=2\n");
}

TEST_F(Profile, WriteKeepsEveryOtherLineByteForByte) {
  const std::string before =
      "; my notes\r\n[Other]\r\nkeep = this  \r\n\r\n[Zorvik_The_Vexling]\r\nfirstrun=1\r\n"
      "SpinSpeed=5\r\nunknown=x\r\n\r\n[Last]\r\nz=9";
  dir.Write("zentravo.ini", before);
  ASSERT_TRUE(WritePrivateProfileStringA("ZORVIK_THE_VEXLING", "spinspeed", "7", "zentravo.ini"));
  ASSERT_TRUE(WritePrivateProfileStringA("Zorvik_The_Vexling", "Sound", "0", "zentravo.ini"));
  ASSERT_TRUE(WritePrivateProfileStringA("New", "n", "1", "zentravo.ini"));
  EXPECT_EQ(dir.Read("zentravo.ini"),
            "; my notes\r\n[Other]\r\nkeep = this  \r\n\r\n[Zorvik_The_Vexling]\r\nfirstrun=1\r\n"
            "spinspeed=7\r\nunknown=x\r\nSound=0\r\n\r\n[Last]\r\nz=9\r\n[New]\r\nn=1\r\n");
}

TEST_F(Profile, AValueCannotSmuggleInAnotherKey) {
  ASSERT_TRUE(WritePrivateProfileStringA("S", "messagetext", "hi\nfirstrun=0", "zentravo.ini"));
  EXPECT_EQ(Get("S", "firstrun"), "dflt");
  EXPECT_EQ(Get("S", "messagetext"), "hi firstrun=0");
}

// zentravo.ini -> link2 -> real/settings.ini, the links relative.
TEST_F(Profile, WriteKeepsTheLinksAtTheNameAndThePermissionBits) {
  fs::create_directory(dir.File("real"));
  dir.Write("real/settings.ini", "[S]\na=1\n");
  ASSERT_EQ(chmod(dir.File("real/settings.ini").c_str(), 0640), 0);
  fs::create_symlink("real/settings.ini", dir.File("link2"));
  fs::create_symlink("link2", dir.File("zentravo.ini"));
  ASSERT_TRUE(WritePrivateProfileStringA("S", "a", "3", "zentravo.ini"));
  EXPECT_TRUE(fs::is_symlink(dir.File("zentravo.ini")));
  EXPECT_TRUE(fs::is_symlink(dir.File("link2")));
  EXPECT_EQ(dir.Read("real/settings.ini"), "[S]\na=3\n");
  EXPECT_EQ(fs::status(dir.File("real/settings.ini")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(Profile, AStaleTemporaryFileIsNeverReadAndTheNextWriteRemovesIt) {
  dir.Write("zentravo.ini.tmp-Ab12Cd", "[S]\na=stale\n");
  dir.Write("zentravo.ini.tmp-notours", "mine");
  EXPECT_EQ(Get("S", "a"), "dflt");
  ASSERT_TRUE(WritePrivateProfileStringA("S", "b", "1", "zentravo.ini"));
  EXPECT_EQ(Get("S", "a"), "dflt");
  EXPECT_EQ(Leftovers(), std::vector<std::string>{"zentravo.ini.tmp-notours"});
}

// Writers each set the shared keys to their own value and add keys of their
// own: no key is lost, and a reader never sees two writers' values mixed.
TEST_F(Profile, ConcurrentWritersNeverLoseAKeyNorTearAWrite) {
  const std::vector<std::string> shared = {"firstrun", "SpinSpeed", "Sound", "Flag", "Gunner", "Below", "Intro"};
  std::atomic<bool> done = false;
  std::atomic<int> torn = 0, failures = 0;
  auto writer = [&](int w) {
    for (int i = 0; i < 20; ++i) {
      ProfileKeys keys = {{"w" + std::to_string(w) + "k" + std::to_string(i), "1"}};
      for (const auto& key : shared) keys.emplace_back(key, std::to_string(w));
      if (WritePrivateProfileKeys("S", keys, "zentravo.ini") != 0) ++failures;
    }
  };
  std::thread reader([&] {
    while (!done) {
      std::string text = dir.Read("zentravo.ini");
      std::string first = ini::Find(text, "S", "firstrun").value_or("?");
      for (const auto& key : shared) torn += ini::Find(text, "S", key).value_or("?") != first;
    }
  });
  std::vector<std::thread> writers;
  for (int w = 0; w < 3; ++w) writers.emplace_back(writer, w);
  for (auto& t : writers) t.join();
  done = true;
  reader.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(torn, 0);
  for (int w = 0; w < 3; ++w)
    for (int i = 0; i < 20; ++i) EXPECT_EQ(Get("S", ("w" + std::to_string(w) + "k" + std::to_string(i)).c_str()), "1");
  EXPECT_EQ(Leftovers(), std::vector<std::string>{});
}

TEST(IniText, OnlyTheFirstOfTwoSectionsWithTheSameNameIsReadAndWritten) {
  EXPECT_EQ(ini::Find("[S]\na=1\n[S]\na=2\n", "s", "A").value(), "1");
  EXPECT_FALSE(ini::Find("[S]\nb=1\n[S]\na=2\n", "S", "a").has_value());
  EXPECT_FALSE(ini::Find("[S]\n;a=1\n", "S", "a").has_value());
  EXPECT_EQ(ini::Put("[S]\na=1\n[S]\na=2\n", "S", "a", "3"), "[S]\na=3\n[S]\na=2\n");
  const std::string written = ini::Put("[S]\nb=1\n[S]\na=2\n", "S", "a", "3");
  EXPECT_EQ(written, "[S]\nb=1\na=3\n[S]\na=2\n");
  EXPECT_EQ(ini::Find(written, "S", "a").value(), "3");
}

}  // namespace

// Of two equal keys the first is read and replaced; a key added to a section
// that ends the file without a line end starts a line of its own; a file of
// exactly the read limit is read.
TEST_F(Profile, FirstOfTwoEqualKeysCountsAnAddedKeyStartsALineAndTheLimitItselfIsRead) {
  EXPECT_EQ(ini::Find("[S]\nk=1\nK=2\n", "S", "k").value(), "1");
  EXPECT_EQ(ini::Put("[S]\nk=1\nK=2\n", "S", "k", "3"), "[S]\nk=3\nK=2\n");
  EXPECT_EQ(ini::Put("[S]\r\na=1", "S", "b", "2"), "[S]\r\na=1\r\nb=2\r\n");
  EXPECT_EQ(ini::Put("[S]", "S", "b", "2"), "[S]\nb=2\n");
  const std::string head = "[S]\nk=1\n";
  dir.Write("zentravo.ini", head + std::string((1 << 20) - head.size(), ';'));
  EXPECT_EQ(Get("S", "k"), "1");
}
