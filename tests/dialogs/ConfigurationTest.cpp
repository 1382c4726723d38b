#include <memory>

#include "dialogs/Configuration.h"
#include "platform/Profile.h"
#include "startup/BugReportForm.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

class SetUpDialog : public DialogTest {
 protected:
  std::unique_ptr<Configuration> dlg;

  void OpenActive(const std::string& iniText = "") {
    StartWith(iniText);
    dlg = std::make_unique<Configuration>();
    dlg->Load();
    Activate(dlg.get());
  }
};

TEST_F(SetUpDialog, ShowsEveryStoredSettingInItsOwnBox) {
  OpenActive("[Zorvik_The_Vexling]\nfirstrun=1\nSound=1\nIntro=0\nRunner=1\nFlag=0\nGunner=1\nAbove=0\n"
             "Below=1\nSpinSpeed=37\n");
  const std::vector<bool> boxes = {dlg->ChkSound->isChecked(),  dlg->introchk->isChecked(),
                                   dlg->runnerchk->isChecked(), dlg->flagchk->isChecked(),
                                   dlg->gunnerchk->isChecked(), dlg->abovechk->isChecked(),
                                   dlg->belowchk->isChecked()};
  EXPECT_EQ(boxes, (std::vector<bool>{true, false, true, false, true, false, true}));
  EXPECT_EQ(dlg->hsbSpeed->Value(), 37);
}

TEST_F(SetUpDialog, ApplyWritesWhatTheUserChoseAsNineKeysInOrder) {
  OpenActive();
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
    OpenActive(before);
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
  // Once the file can be written, Apply saves the choices the dialog kept.
  dlg->ChkSound->setChecked(true);
  EXPECT_EQ(ExitCodeOf([&] { dlg->cmdok_click(); }), 0);
  EXPECT_EQ(Ini(), "[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=9\nSound=1\nFlag=0\nGunner=0\nBelow=0\n"
                   "Above=0\nRunner=0\nIntro=0\n");
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
    OpenActive(before);
    dlg->introchk->setChecked(false);
    dlg->hsbSpeed->SetValue(100);
    EXPECT_EQ(ExitCodeOf([&, &close = close] { close(*dlg); }), 0) << name;
    EXPECT_EQ(Ini(), before) << name;
  }
}

TEST_F(SetUpDialog, EnterOnAnyControlButCancelApplies) {
  for (int i = 0; i < 2; ++i) {
    std::filesystem::remove(dir.File(Starter::IniFileName));
    OpenActive();
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
    OpenActive(file);
    EXPECT_EQ(ExitCodeOf([&] { dlg->cmdok_click(); }), 0) << on;
    EXPECT_EQ(Ini(), file) << on;
  }
}

}  // namespace
