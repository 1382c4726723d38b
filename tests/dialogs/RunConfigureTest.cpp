// Each case runs in a process of its own (see CMakeLists.txt): the settings
// dialog is loaded once per process.
#include "dialogs/Configuration.h"
#include "platform/Forms.h"
#include "startup/BugReportForm.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

class RunConfigure : public DialogTest {};

TEST_F(RunConfigure, ShowsTheDialogCentredAndClosingItEndsTheProcess) {
  const std::string stored = "[Zorvik_The_Vexling]\nfirstrun=1\nSound=1\nSpinSpeed=12\n";
  StartWith(stored);
  Starter::Run_Configure();
  Configuration& dlg = vb::FormInstance<Configuration>();
  ASSERT_TRUE(dlg.isVisible());
  EXPECT_FALSE(vb::FormInstance<BugReportForm>().isVisible());
  EXPECT_NEAR(dlg.x(), (1024 - 328) / 2, 1);
  EXPECT_NEAR(dlg.y(), (768 - 293) / 2, 1);
  EXPECT_EQ(ExitCodeOf([&] { dlg.close(); }), 0);
  EXPECT_EQ(host.calls, std::vector<std::string>{"EndProcess 0"});
  EXPECT_EQ(Ini(), stored);
}

TEST_F(RunConfigure, ReportsASpeedTheBarCannotHoldAndShowsNoDialog) {
  StartWith("");
  Starter::Settings.SpinSpeed = 201.0f;  // start-up would have bounded it
  Starter::Run_Configure();
  BugReportForm& report = vb::FormInstance<BugReportForm>();
  ASSERT_TRUE(report.isVisible());
  EXPECT_EQ(report.Caption(), "Error Code: VORN- 380-Starter/Run_Configure");
  EXPECT_FALSE(vb::FormInstance<Configuration>().isVisible());
}

}  // namespace
