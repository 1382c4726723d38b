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

TEST_F(Profile, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(Get("Zorvik_The_Vexling", "Sound"), "dflt");
  dir.Write("zentravo.ini", "[Other]\nSound=1\n");
  EXPECT_EQ(Get("Zorvik_The_Vexling", "Sound"), "dflt");
  dir.Write("zentravo.ini", "[Zorvik_The_Vexling]\nFlag=1\n");
  EXPECT_EQ(Get("Zorvik_The_Vexling", "Sound"), "dflt");
}

TEST_F(Profile, NamesMatchWithoutCaseAndBlanksAroundValuesAreDropped) {
  dir.Write("zentravo.ini", "; comment\r\n[zorvik_the_vexling]\r\n  SOUND =  1 0 \r\n");
  EXPECT_EQ(Get("Zorvik_The_Vexling", "Sound"), "1 0");
}

TEST_F(Profile, QuotesThatEncloseAValueAreDropped) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"50\"", "50"}, {"'1'", "1"},     {" \t\"a b\"  ", "a b"}, {"\"\"", ""},
      {"\"x'", "\"x'"}, {"\"", "\""},     {"a\"b\"", "a\"b\""},   {"\"'q'\"", "'q'"}};
  for (auto [stored, read] : cases) {
    dir.Write("zentravo.ini", std::string("[S]\nk=") + stored + "\n");
    EXPECT_EQ(Get("S", "k"), read) << stored;
  }
}

TEST_F(Profile, LongValueIsCutToTheBuffer) {
  dir.Write("zentravo.ini", "[S]\nk=" + std::string(200, 'x') + "\n");
  EXPECT_EQ(Get("S", "k"), std::string(127, 'x'));
  EXPECT_EQ(Get("S", "k", 4), "xxx");
}

// What may lie at the settings file's name besides a file: each reads as
// missing at once, and no write replaces it.
const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> kNotAFile = {
    {"FIFO", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }},
    {"link to /dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }},
    {"folder", [](const std::string& p) { fs::create_directory(p); }},
    {"file over 1 MiB",
     [](const std::string& p) {
       std::ofstream(p) << "[S]\nk=1\n" << std::string((1 << 20) + 1, ';');
     }},
};

TEST_F(Profile, AnythingButARegularFileOfASaneSizeReadsAsMissingAndIsKept) {
  for (const auto& [name, make] : kNotAFile) {
    const std::string path = dir.File("zentravo.ini");
    make(path);
    EXPECT_EQ(Get("S", "k"), "dflt") << name;
    EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "2", "zentravo.ini")) << name;
    EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(path)) && fs::file_size(path) < 100) << name;
    EXPECT_EQ(Leftovers(), std::vector<std::string>{}) << name;
    fs::remove_all(path);
  }
}

TEST_F(Profile, AFileThatCannotBeReadIsNeverReplaced) {
  for (int error : {EACCES, EIO}) {
    dir.Write("zentravo.ini", "[S]\nk=1\nother=kept\n");
    FailAt("read", error);
    EXPECT_EQ(Get("S", "k"), "dflt");
    EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "2", "zentravo.ini"));
    EXPECT_EQ(errno, error);
    EXPECT_EQ(dir.Read("zentravo.ini"), "[S]\nk=1\nother=kept\n");
  }
}

TEST_F(Profile, AFailedStepLeavesTheOldFileWholeAndNoTemporaryFile) {
  const std::pair<const char*, int> faults[] = {
      {"lock", EWOULDBLOCK}, {"write", ENOSPC}, {"sync", EIO}, {"rename", EACCES}};
  for (auto [step, error] : faults) {
    dir.Write("zentravo.ini", "[S]\na=1\n");
    FailAt(step, error);
    EXPECT_EQ(WritePrivateProfileKeys("S", {{"a", "2"}, {"b", "2"}, {"c", "2"}}, "zentravo.ini"), error)
        << step;
    EXPECT_EQ(dir.Read("zentravo.ini"), "[S]\na=1\n") << step;
    EXPECT_EQ(Leftovers(), std::vector<std::string>{}) << step;
  }
  SetProfileFaultForTests({});
  EXPECT_EQ(WritePrivateProfileKeys("S", {{"a", "2"}, {"b", "2"}, {"c", "2"}}, "zentravo.ini"), 0);
  EXPECT_EQ(dir.Read("zentravo.ini"), "[S]\na=2\nb=2\nc=2\n");
}

TEST_F(Profile, CreatesFileSectionAndKey) {
  ASSERT_TRUE(WritePrivateProfileStringA("S", "a", "1", "zentravo.ini"));
  EXPECT_EQ(dir.Read("zentravo.ini"), "[S]\na=1\n");
  ASSERT_TRUE(WritePrivateProfileStringA("S", "b", "2", "zentravo.ini"));
  ASSERT_TRUE(WritePrivateProfileStringA("T", "c", "3", "zentravo.ini"));
  EXPECT_EQ(dir.Read("zentravo.ini"), "[S]\na=1\nb=2\n[T]\nc=3\n");
}

TEST_F(Profile, WriteKeepsEveryOtherLineByteForByte) {
  const std::string before =
      "; my notes\r\n[Other]\r\nkeep = this  \r\n\r\n[Zorvik_The_Vexling]\r\nfirstrun=1\r\n"
      "SpinSpeed=5\r\nunknown=x\r\n\r\n[Last]\r\nz=9";
  dir.Write("zentravo.ini", before);
  ASSERT_TRUE(WritePrivateProfileStringA("ZORVIK_THE_VEXLING", "spinspeed", "7", "zentravo.ini"));
  ASSERT_TRUE(WritePrivateProfileStringA("Zorvik_The_Vexling", "Sound", "0", "zentravo.ini"));
  EXPECT_EQ(dir.Read("zentravo.ini"),
            "; my notes\r\n[Other]\r\nkeep = this  \r\n\r\n[Zorvik_The_Vexling]\r\nfirstrun=1\r\n"
            "spinspeed=7\r\nunknown=x\r\nSound=0\r\n\r\n[Last]\r\nz=9");
}

TEST_F(Profile, AValueCannotSmuggleInAnotherKey) {
  ASSERT_TRUE(WritePrivateProfileStringA("S", "messagetext", "hi\nfirstrun=0", "zentravo.ini"));
  EXPECT_EQ(Get("S", "firstrun"), "dflt");
  EXPECT_EQ(Get("S", "messagetext"), "hi firstrun=0");
}

TEST_F(Profile, WriteKeepsThePermissionBitsAndALinkAtTheName) {
  dir.Write("zentravo.ini", "[S]\na=1\n");
  ASSERT_EQ(chmod(dir.File("zentravo.ini").c_str(), 0640), 0);
  ASSERT_TRUE(WritePrivateProfileStringA("S", "a", "2", "zentravo.ini"));
  EXPECT_EQ(fs::status(dir.File("zentravo.ini")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  // zentravo.ini -> link2 -> real/settings.ini, the links relative.
  fs::create_directory(dir.File("real"));
  fs::rename(dir.File("zentravo.ini"), dir.File("real/settings.ini"));
  fs::create_symlink("real/settings.ini", dir.File("link2"));
  fs::create_symlink("link2", dir.File("zentravo.ini"));
  ASSERT_TRUE(WritePrivateProfileStringA("S", "a", "3", "zentravo.ini"));
  EXPECT_TRUE(fs::is_symlink(dir.File("zentravo.ini")));
  EXPECT_TRUE(fs::is_symlink(dir.File("link2")));
  EXPECT_EQ(dir.Read("real/settings.ini"), "[S]\na=3\n");
  EXPECT_EQ(fs::status(dir.File("real/settings.ini")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(Profile, NeverWritesThroughALinkPlantedAtATemporaryName) {
  dir.Write("victim", "untouched");
  fs::create_symlink(dir.File("victim"), dir.File("zentravo.ini.new"));
  fs::create_symlink(dir.File("victim"), dir.File("zentravo.ini.tmp"));
  ASSERT_TRUE(WritePrivateProfileStringA("S", "a", "1", "zentravo.ini"));
  EXPECT_EQ(dir.Read("zentravo.ini"), "[S]\na=1\n");
  EXPECT_EQ(dir.Read("victim"), "untouched");
}

TEST_F(Profile, AStaleTemporaryFileIsNeverReadAndTheNextWriteRemovesIt) {
  dir.Write("zentravo.ini.tmp-Ab12Cd", "[S]\na=stale\n");
  dir.Write("zentravo.ini.tmp-notours", "mine");
  EXPECT_EQ(Get("S", "a"), "dflt");
  ASSERT_TRUE(WritePrivateProfileStringA("S", "b", "1", "zentravo.ini"));
  EXPECT_EQ(Get("S", "a"), "dflt");
  EXPECT_EQ(Leftovers(), std::vector<std::string>{"zentravo.ini.tmp-notours"});
}

TEST_F(Profile, ConcurrentWritersNeverLoseAKey) {
  constexpr int kWriters = 4, kKeys = 15;
  std::atomic<int> failures = 0;
  std::vector<std::thread> writers;
  for (int w = 0; w < kWriters; ++w)
    writers.emplace_back([w, &failures] {
      for (int k = 0; k < kKeys; ++k) {
        std::string key = "w" + std::to_string(w) + "k" + std::to_string(k);
        if (!WritePrivateProfileStringA("S", key.c_str(), "1", "zentravo.ini")) ++failures;
      }
    });
  for (auto& t : writers) t.join();
  EXPECT_EQ(failures, 0);
  for (int w = 0; w < kWriters; ++w)
    for (int k = 0; k < kKeys; ++k)
      EXPECT_EQ(Get("S", ("w" + std::to_string(w) + "k" + std::to_string(k)).c_str()), "1");
  EXPECT_EQ(Leftovers(), std::vector<std::string>{});
}

TEST_F(Profile, ConcurrentWritesOfManyKeysLeaveOneWritersWholeResult) {
  const std::vector<std::string> keys = {"firstrun", "SpinSpeed", "Sound", "Flag", "Gunner",
                                         "Below",    "Above",     "Runner", "Intro"};
  std::atomic<bool> done = false;
  std::atomic<int> torn = 0, failures = 0;
  auto writer = [&](const std::string& value) {
    ProfileKeys all;
    for (const auto& key : keys) all.emplace_back(key, value);
    for (int i = 0; i < 30; ++i)
      if (WritePrivateProfileKeys("S", all, "zentravo.ini") != 0) ++failures;
  };
  std::thread reader([&] {
    while (!done) {
      std::string text = dir.Read("zentravo.ini");
      if (text.empty()) continue;  // not written yet
      std::string first = ini::Find(text, "S", "firstrun").value_or("?");
      for (const auto& key : keys)
        if (ini::Find(text, "S", key).value_or("?") != first) ++torn;
    }
  });
  std::thread a(writer, "1"), b(writer, "0");
  a.join();
  b.join();
  done = true;
  reader.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(torn, 0);
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
