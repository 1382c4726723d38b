#include <gtest/gtest.h>

#include "platform/IniText.h"
#include "platform/Profile.h"
#include "tests/common/TempWinDir.h"

namespace {

std::string Get(const char* section, const char* key, long size = 128) {
  char buffer[512];
  long n = GetPrivateProfileStringA(section, key, "dflt", buffer, size, "zentravo.ini");
  EXPECT_EQ(n, static_cast<long>(std::string(buffer).size()));
  return buffer;
}

TEST(ProfileRead, MissingFileSectionOrKeyGivesTheDefault) {
  TempWinDir dir;
  EXPECT_EQ(Get("Zorvik_The_Vexling", "Sound"), "dflt");
  dir.Write("zentravo.ini", "[Other]\nSound=1\n");
  EXPECT_EQ(Get("Zorvik_The_Vexling", "Sound"), "dflt");
  dir.Write("zentravo.ini", "[Zorvik_The_Vexling]\nFlag=1\n");
  EXPECT_EQ(Get("Zorvik_The_Vexling", "Sound"), "dflt");
}

TEST(ProfileRead, NamesMatchWithoutCaseAndBlanksAroundValuesAreDropped) {
  TempWinDir dir;
  dir.Write("zentravo.ini", "; comment\r\n[zorvik_the_vexling]\r\n  SOUND =  1 0 \r\n");
  EXPECT_EQ(Get("Zorvik_The_Vexling", "Sound"), "1 0");
}

TEST(ProfileRead, LongValueIsCutToTheBuffer) {
  TempWinDir dir;
  dir.Write("zentravo.ini", "[S]\nk=" + std::string(200, 'x') + "\n");
  EXPECT_EQ(Get("S", "k"), std::string(127, 'x'));
  EXPECT_EQ(Get("S", "k", 4), "xxx");
}

TEST(ProfileWrite, CreatesFileSectionAndKey) {
  TempWinDir dir;
  ASSERT_TRUE(WritePrivateProfileStringA("S", "a", "1", "zentravo.ini"));
  EXPECT_EQ(dir.Read("zentravo.ini"), "[S]\na=1\n");
  ASSERT_TRUE(WritePrivateProfileStringA("S", "b", "2", "zentravo.ini"));
  ASSERT_TRUE(WritePrivateProfileStringA("T", "c", "3", "zentravo.ini"));
  EXPECT_EQ(dir.Read("zentravo.ini"), "[S]\na=1\nb=2\n[T]\nc=3\n");
}

TEST(ProfileWrite, KeepsEveryOtherLineByteForByte) {
  TempWinDir dir;
  const std::string before =
      "; my notes\r\n[Other]\r\nkeep = this  \r\n\r\n[Zorvik_The_Vexling]\r\nfirstrun=1\r\n"
      "SpinSpeed=5\r\nunknown=x\r\n\r\n[Last]\r\nz=9";
  dir.Write("zentravo.ini", before);
  ASSERT_TRUE(WritePrivateProfileStringA("ZORVIK_THE_VEXLING", "spinspeed", "7", "zentravo.ini"));
  EXPECT_EQ(dir.Read("zentravo.ini"),
            "; my notes\r\n[Other]\r\nkeep = this  \r\n\r\n[Zorvik_The_Vexling]\r\nfirstrun=1\r\n"
            "spinspeed=7\r\nunknown=x\r\n\r\n[Last]\r\nz=9");
  ASSERT_TRUE(WritePrivateProfileStringA("Zorvik_The_Vexling", "Sound", "0", "zentravo.ini"));
  EXPECT_EQ(dir.Read("zentravo.ini"),
            "; my notes\r\n[Other]\r\nkeep = this  \r\n\r\n[Zorvik_The_Vexling]\r\nfirstrun=1\r\n"
            "spinspeed=7\r\nunknown=x\r\nSound=0\r\n\r\n[Last]\r\nz=9");
}

TEST(ProfileWrite, AValueCannotSmuggleInAnotherKey) {
  TempWinDir dir;
  ASSERT_TRUE(WritePrivateProfileStringA("S", "messagetext", "hi\nfirstrun=0", "zentravo.ini"));
  EXPECT_EQ(Get("S", "firstrun"), "dflt");
  EXPECT_EQ(Get("S", "messagetext"), "hi firstrun=0");
}

TEST(ProfileWrite, UnwritableFolderFailsAndLeavesTheOldFile) {
  TempWinDir dir;
  dir.Write("zentravo.ini", "[S]\na=1\n");
  std::filesystem::create_directory(dir.File("zentravo.ini.new"));  // blocks the new file
  EXPECT_FALSE(WritePrivateProfileStringA("S", "a", "2", "zentravo.ini"));
  EXPECT_EQ(dir.Read("zentravo.ini"), "[S]\na=1\n");
}

TEST(IniText, FirstOfTwoSectionsWithTheSameNameIsTheOneRead) {
  EXPECT_EQ(ini::Find("[S]\na=1\n[S]\na=2\n", "s", "A").value(), "1");
  EXPECT_FALSE(ini::Find("[S]\n;a=1\n", "S", "a").has_value());
  EXPECT_EQ(ini::Put("[S]\na=1\n[S]\na=2\n", "S", "a", "3"), "[S]\na=3\n[S]\na=2\n");
}

}  // namespace
