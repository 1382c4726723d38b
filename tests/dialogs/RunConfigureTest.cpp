// Runs in a process of its own (see CMakeLists.txt): the settings dialog is
// loaded once per process.
#include "dialogs/Configuration.h"
#include "platform/Forms.h"
#include "startup/BugReportForm.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

class RunConfigure : public DialogTest {};

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
