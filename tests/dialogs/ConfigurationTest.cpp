#include "platform/Profile.h"
#include "startup/BugReportForm.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

using SetUpDialog = DialogTest;

TEST_F(SetUpDialog, ApplyWritesWhatTheUserChoseAsNineKeysInOrder) {
  OpenSettings();
  QTest::mouseClick(dlg->introchk, Qt::LeftButton);
  QTest::mouseClick(dlg->gunnerchk, Qt::LeftButton);
  dlg->belowchk->setFocus();
  QTest::keyClick(dlg->belowchk, Qt::Key_Space);
  dlg->hsbSpeed->SetValue(200);
  EXPECT_EQ(ExitCodeOf([&] { QTest::keyClick(dlg->cmdOK, Qt::Key_A, Qt::AltModifier); QTest::qWait(400); }), 0);
  EXPECT_EQ(Ini(),
            "[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=200\nSound=1\nFlag=1\nGunner=0\nBelow=0\nAbove=1\n"
            "Runner=1\nIntro=0\n");
}

TEST_F(SetUpDialog, AnApplyThatCannotWriteIsReportedAndSavesNothing) {
  const std::string before = "[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=9\n";
  const std::tuple<const char*, int, const char*> faults[] = {
      {"read", EACCES, "Error Code: VORN- 70-Configuration/cmdok_Click"},
      {"write", ENOSPC, "Error Code: VORN- 61-Configuration/cmdok_Click"},
      {"write", EFBIG, "Error Code: VORN- 61-Configuration/cmdok_Click"},
      {"rename", EIO, "Error Code: VORN- 57-Configuration/cmdok_Click"},
      {"lock", EWOULDBLOCK, "Error Code: VORN- 75-Configuration/cmdok_Click"}};
  for (auto [step, error, caption] : faults) {
    OpenSettings(before);
    SetProfileFaultForTests([step = std::string(step), error = error](const std::string& at) {
      return at == step ? error : 0;
    });
    EXPECT_EQ(ExitCodeOf([&] { dlg->cmdok_click(); }), -1) << step;  // the dialog stays
    SetProfileFaultForTests({});
    EXPECT_TRUE(dlg->isVisible()) << step;
    BugReportForm& report = vb::FormInstance<BugReportForm>();
    EXPECT_TRUE(report.isVisible()) << step;
    EXPECT_EQ(report.Caption(), caption);
    EXPECT_EQ(Ini(), before) << step;
  }
  vb::ResetFormsForTests();
}

TEST_F(SetUpDialog, CancelEscAndTheCloseBoxWriteNothingAndEndTheProcess) {
  const std::string before = "[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=9\n";
  const std::vector<std::pair<const char*, std::function<void(Configuration&)>>> ways = {
      {"Cancel", [](Configuration& d) { QTest::mouseClick(d.cmdCancel, Qt::LeftButton); }},
      {"Esc on a box", [](Configuration& d) { d.flagchk->setFocus(); QTest::keyClick(d.flagchk, Qt::Key_Escape); }},
      {"Enter on Cancel",
       [](Configuration& d) { d.cmdCancel->setFocus(); QTest::keyClick(d.cmdCancel, Qt::Key_Enter, Qt::KeypadModifier); }},
      {"close box", [](Configuration& d) { d.close(); }},
  };
  for (const auto& [name, close] : ways) {
    OpenSettings(before);
    dlg->introchk->setChecked(false);
    dlg->hsbSpeed->SetValue(100);
    EXPECT_EQ(ExitCodeOf([&, &close = close] { close(*dlg); }), 0) << name;
    EXPECT_EQ(Ini(), before) << name;
  }
}

TEST_F(SetUpDialog, EnterOnAnyControlButCancelApplies) {
  for (int i = 0; i < 2; ++i) {
    std::filesystem::remove(dir.File(Starter::IniFileName));
    OpenSettings();
    EXPECT_EQ(dlg->focusWidget(), dlg->cmdOK);
    QWidget* w = i ? static_cast<QWidget*>(dlg->hsbSpeed) : dlg->Picture1;
    w->setFocus();
    EXPECT_EQ(ExitCodeOf([&] { QTest::keyClick(w, Qt::Key_Return); }), 0) << i;
    EXPECT_NE(Ini(), "") << i;
  }
}

// Each box reads and writes its own key: a file with one switch on alone, as
// Apply writes it, comes back byte for byte from an Apply with no change.
TEST_F(SetUpDialog, EachBoxReadsAndWritesItsOwnKey) {
  const std::string keys[] = {"Sound", "Flag", "Gunner", "Below", "Above", "Runner", "Intro"};
  for (const std::string& on : keys) {
    std::string file = "[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=37\n";
    for (const std::string& key : keys) file += key + (key == on ? "=1\n" : "=0\n");
    OpenSettings(file);
    EXPECT_EQ(ExitCodeOf([&] { dlg->cmdok_click(); }), 0) << on;
    EXPECT_EQ(Ini(), file) << on;
  }
}

}  // namespace
