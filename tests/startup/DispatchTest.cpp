#include "tests/startup/StartupFixture.h"

namespace {

using Dispatch = Startup;

TEST_F(Dispatch, SwitchesAreFoundAnywhereInTheRawLineInTheirOrder) {
  struct Case {
    const char* line;
    int16_t mode;
  };
  const Case cases[] = {
      {"/c /p 12", Starter::rmPreview},  {"  /C:123", Starter::rmConfigure},
      {"/h /w", Starter::rmSupport},     {"foo /H", Starter::rmSupport},
      {"/w", Starter::rmWebSite},        {"/a 1234", Starter::rmPassword},
      {"", Starter::rmScreenSaver},      {"/S", Starter::rmScreenSaver},
      {"xyz", Starter::rmScreenSaver},
  };
  for (const Case& c : cases) {
    Starter::ResetForTests();
    vb::ResetFormsForTests();
    host.At(0, [] { throw ProcessEnded{0}; });  // ends a show at its first pass
    RunMain(c.line);
    EXPECT_EQ(Starter::RunMode, c.mode) << "command line \"" << c.line << "\"";
    EXPECT_EQ(ErrorWindowCaption(), "") << c.line;
  }
}

TEST_F(Dispatch, CommandLineIsTrimmedAndLowerCased) {
  host.At(0, [] { throw ProcessEnded{0}; });
  RunMain("  /S  ");
  EXPECT_EQ(Starter::CmdLine, "/s");
  EXPECT_EQ(Starter::CmdSwitch, "/s");
}

TEST_F(Dispatch, SecondShowEndsAtOnceWithoutTouchingTheSettings) {
  host.prevInstance = true;
  WriteIni("firstrun=1\n");
  EXPECT_TRUE(RunMain(" /s"));
  EXPECT_EQ(Starter::RunMode, 0);
  EXPECT_EQ(Starter::WinDir, "");
  EXPECT_EQ(Starter::Settings.SpinSpeed, 0.0f);  // X_GetData never ran
  EXPECT_EQ(host.CallsStartingWith("EndProcess"), std::vector<std::string>{"EndProcess 0"});
}

TEST_F(Dispatch, SecondShowRunsWhenDisplayPropertiesIsOpenOrTheSwitchIsNotFirst) {
  host.prevInstance = true;
  host.topLevelWindows["Display Properties"] = 77;
  host.At(0, [] { throw ProcessEnded{0}; });
  RunMain("/s");
  EXPECT_EQ(Starter::RunMode, Starter::rmScreenSaver);

  host.topLevelWindows.clear();
  Starter::ResetForTests();
  host.At(0, [] { throw ProcessEnded{0}; });
  RunMain("x/s");
  EXPECT_EQ(Starter::RunMode, Starter::rmScreenSaver);
}

TEST_F(Dispatch, OtherModesIgnoreARunningInstance) {
  host.prevInstance = true;
  RunMain("/a 5");
  EXPECT_EQ(Starter::RunMode, Starter::rmPassword);
}

TEST_F(Dispatch, PasswordModeReadsItsOwnerFromTheLine) {
  EXPECT_FALSE(RunMain("/a 1234"));
  EXPECT_EQ(Starter::hPwdParent, 1234);
  EXPECT_EQ(ErrorWindowCaption(), "");
  EXPECT_EQ(vb::LoadedFormCount(), 0);  // the process ends when Main returns
  Starter::ResetForTests();
  RunMain("/A:77");
  EXPECT_EQ(Starter::hPwdParent, 77);
}

TEST_F(Dispatch, PasswordModeErrorsAreReported) {
  const std::pair<const char*, const char*> cases[] = {
      {"/a", "Error Code: VORN- 5-Starter/Run_Password"},
      {"/a ", "Error Code: VORN- 13-Starter/Run_Password"},
      {"/a xyz", "Error Code: VORN- 13-Starter/Run_Password"},
      {"/a 99999999999", "Error Code: VORN- 6-Starter/Run_Password"},
  };
  for (auto [line, caption] : cases) {
    vb::ResetFormsForTests();
    RunMain(line);
    EXPECT_EQ(ErrorWindowCaption(), caption) << line;
  }
}

TEST_F(Dispatch, WebPagesOpenAndTheProcessEnds) {
  EXPECT_TRUE(RunMain("/h"));
  EXPECT_EQ(host.CallsStartingWith("OpenDocument"),
            std::vector<std::string>{"OpenDocument http://www.zentravo.example/support.htm"});
  host.calls.clear();
  Starter::ResetForTests();
  vb::ResetFormsForTests();
  EXPECT_TRUE(RunMain("/W"));
  EXPECT_EQ(host.CallsStartingWith("OpenDocument"),
            std::vector<std::string>{"OpenDocument http://www.zentravo.example/"});
  EXPECT_EQ(host.CallsStartingWith("EndProcess"), std::vector<std::string>{"EndProcess 0"});
}

}  // namespace
