#include "tests/startup/StartupFixture.h"

namespace {

using Dispatch = Startup;

// Mode 0: a second show ends at once, before the settings are read.
TEST_F(Dispatch, SwitchesAreFoundAnywhereInTheLineInTheirOrder) {
  const std::tuple<const char*, int16_t, bool> cases[] = {
      {"/c /p 12", Starter::rmPreview, false},  {"  /C:123", Starter::rmConfigure, false},
      {"/h /w", Starter::rmSupport, false},     {"foo /H", Starter::rmSupport, false},
      {"/w", Starter::rmWebSite, false},        {"", Starter::rmScreenSaver, false},
      {" /S ", 0, true},                        {"/a 5", Starter::rmPassword, true},  // only "/s" minds others
      {"x/s", Starter::rmScreenSaver, true},                                          // not first: a show
  };
  for (auto [line, mode, otherInstance] : cases) {
    host.prevInstance = otherInstance;
    host.At(0, [] { throw ProcessEnded{0}; });  // ends a show at its first pass
    RunMain(line);
    EXPECT_EQ(Starter::RunMode, mode) << "command line \"" << line << "\"";
    EXPECT_EQ(Starter::Settings.SpinSpeed != 0, mode != 0) << line;
    EXPECT_EQ(ErrorWindowCaption(), "") << line;
  }
}

TEST_F(Dispatch, PasswordModeReadsItsOwnerFromTheLineOrReportsWhyNot) {
  const std::tuple<const char*, int32_t, int> cases[] = {
      {"/a 1234", 1234, 0}, {"/a", 0, 5}, {"/a ", 0, 13}, {"/a xyz", 0, 13}, {"/a 99999999999", 0, 6}};
  for (auto [line, owner, error] : cases) {
    EXPECT_FALSE(RunMain(line)) << line;  // the process ends when Main returns
    EXPECT_EQ(Starter::hPwdParent, owner) << line;
    EXPECT_EQ(ErrorWindowCaption(), error ? System::ErrorCaption(error, "Starter/Run_Password") : "") << line;
  }
}

}  // namespace
