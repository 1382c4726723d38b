#include "tests/startup/StartupFixture.h"

namespace {

using Dispatch = Startup;

// Mode 0: a second show ends at once, before the settings are read.
TEST_F(Dispatch, SwitchesAreFoundAnywhereInTheLineInTheirOrder) {
  struct Case {
    const char* line;
    int16_t mode;
    bool otherInstance = false;
  };
  const Case cases[] = {
      {"/c /p 12", Starter::rmPreview},  {"  /C:123", Starter::rmConfigure},
      {"/h /w", Starter::rmSupport},     {"foo /H", Starter::rmSupport},
      {"/w", Starter::rmWebSite},        {"", Starter::rmScreenSaver},
      {" /S ", 0, true},                 {"/a 5", Starter::rmPassword, true},  // only "/s" minds others
      {"x/s", Starter::rmScreenSaver, true},                                   // not first: a show
  };
  for (const Case& c : cases) {
    Starter::ResetForTests();
    vb::ResetFormsForTests();
    host.prevInstance = c.otherInstance;
    host.At(0, [] { throw ProcessEnded{0}; });  // ends a show at its first pass
    RunMain(c.line);
    EXPECT_EQ(Starter::RunMode, c.mode) << "command line \"" << c.line << "\"";
    EXPECT_EQ(Starter::Settings.SpinSpeed != 0, c.mode != 0) << c.line;
    EXPECT_EQ(ErrorWindowCaption(), "") << c.line;
  }
}

TEST_F(Dispatch, PasswordModeReadsItsOwnerFromTheLineOrReportsWhyNot) {
  const std::tuple<const char*, int32_t, int> cases[] = {
      {"/a 1234", 1234, 0}, {"/a", 0, 5}, {"/a ", 0, 13}, {"/a xyz", 0, 13}, {"/a 99999999999", 0, 6}};
  for (auto [line, owner, error] : cases) {
    Starter::ResetForTests();
    vb::ResetFormsForTests();
    EXPECT_FALSE(RunMain(line)) << line;  // the process ends when Main returns
    EXPECT_EQ(Starter::hPwdParent, owner) << line;
    EXPECT_EQ(ErrorWindowCaption(), error ? System::ErrorCaption(error, "Starter/Run_Password") : "") << line;
  }
}

}  // namespace
