#include "tests/startup/StartupFixture.h"

namespace {

using Dispatch = Startup;

TEST_F(Dispatch, SwitchesAreFoundAnywhereInTheLineInTheirOrder) {
  struct Case {
    const char* line;
    int16_t mode;
    bool otherInstance = false;
  };
  const Case cases[] = {
      {"/c /p 12", Starter::rmPreview},  {"  /C:123", Starter::rmConfigure},
      {"/h /w", Starter::rmSupport},     {"foo /H", Starter::rmSupport},
      {"/w", Starter::rmWebSite},        {"/a 1234", Starter::rmPassword},
      {"", Starter::rmScreenSaver},      {"  /S  ", Starter::rmScreenSaver},
      {"xyz", Starter::rmScreenSaver},   {"/a 5", Starter::rmPassword, true},  // only "/s" minds others
      {"x/s", Starter::rmScreenSaver, true},                                   // not first: a show
  };
  for (const Case& c : cases) {
    Starter::ResetForTests();
    vb::ResetFormsForTests();
    host.prevInstance = c.otherInstance;
    host.At(0, [] { throw ProcessEnded{0}; });  // ends a show at its first pass
    RunMain(c.line);
    EXPECT_EQ(Starter::RunMode, c.mode) << "command line \"" << c.line << "\"";
    EXPECT_EQ(ErrorWindowCaption(), "") << c.line;
  }
  EXPECT_EQ(Starter::CmdLine, "x/s");  // trimmed and lower-cased
}

// With Display Properties open it runs: e2e_startup.sh, with a real window.
TEST_F(Dispatch, SecondShowEndsAtOnceWithoutReadingTheSettings) {
  host.prevInstance = true;
  WriteIni("firstrun=1\n");
  EXPECT_TRUE(RunMain(" /S"));
  EXPECT_EQ(Starter::RunMode, 0);
  EXPECT_EQ(Starter::Settings.SpinSpeed, 0.0f);  // the settings were never read
  EXPECT_EQ(host.CallsStartingWith("EndProcess"), std::vector<std::string>{"EndProcess 0"});
}

TEST_F(Dispatch, PasswordModeReadsItsOwnerFromTheLineOrReportsWhyNot) {
  const std::tuple<const char*, int32_t, const char*> cases[] = {
      {"/a 1234", 1234, ""},
      {"/a", 0, "Error Code: VORN- 5-Starter/Run_Password"},
      {"/a ", 0, "Error Code: VORN- 13-Starter/Run_Password"},
      {"/a xyz", 0, "Error Code: VORN- 13-Starter/Run_Password"},
      {"/a 99999999999", 0, "Error Code: VORN- 6-Starter/Run_Password"},
  };
  for (auto [line, owner, caption] : cases) {
    Starter::ResetForTests();
    vb::ResetFormsForTests();
    EXPECT_FALSE(RunMain(line)) << line;  // the process ends when Main returns
    EXPECT_EQ(Starter::hPwdParent, owner) << line;
    EXPECT_EQ(ErrorWindowCaption(), caption) << line;
  }
}

}  // namespace
