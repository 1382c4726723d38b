#include <memory>

#include "dialogs/Configuration.h"
#include "dialogs/messageentry.h"
#include "platform/Profile.h"
#include "startup/BugReportForm.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

class MessageDialog : public DialogTest {
 protected:
  std::unique_ptr<messageentry> dlg;

  void SetUp() override {
    DialogTest::SetUp();
    StartWith("");
    vb::FormInstance<Configuration>().hide();
    dlg = std::make_unique<messageentry>();
    dlg->Load();
    dlg->show();
    Activate(dlg.get());
  }
  bool SettingsDialogShown() const { return vb::FormInstance<Configuration>().isVisible(); }
};

TEST_F(MessageDialog, LoadsCentredOnTopWithoutACloseBox) {
  EXPECT_EQ(dlg->Caption(), "Zorvik_The_Vexling ScreenSaver Message");
  EXPECT_TRUE(dlg->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(dlg->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(dlg->size(), QSize(345, 95));
  EXPECT_NEAR(dlg->x(), (1024 - 345) / 2, 1);
  EXPECT_NEAR(dlg->y(), (768 - 95) / 2, 1);
  EXPECT_TRUE(dlg->Text1->text().isEmpty());
  EXPECT_EQ(dlg->focusWidget(), dlg->Text1);
  EXPECT_FALSE(SettingsDialogShown());
}

TEST_F(MessageDialog, EnterInTheTextStoresItAndLeadsToTheSettingsDialog) {
  dir.Write(Starter::IniFileName, "[Zorvik_The_Vexling]\nfirstrun=1\nmessagetext=old\n");
  QTest::keyClicks(dlg->Text1, "Hello there");
  QTest::keyClick(dlg->Text1, Qt::Key_Return);
  EXPECT_EQ(Ini(), "[Zorvik_The_Vexling]\nfirstrun=1\nmessagetext=Hello there\n");
  EXPECT_TRUE(SettingsDialogShown());
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_TRUE(dlg->IsLoaded());
}

TEST_F(MessageDialog, ApplyChangesStoresTheTextAsEnterDoes) {
  QTest::keyClicks(dlg->Text1, "Hi");
  QTest::mouseClick(dlg->Apply, Qt::LeftButton);
  EXPECT_EQ(Ini(), "[Zorvik_The_Vexling]\nmessagetext=Hi\n");
  EXPECT_TRUE(SettingsDialogShown());
  EXPECT_FALSE(dlg->isVisible());
}

TEST_F(MessageDialog, AWriteThatFailsIsReported) {
  dir.Write(Starter::IniFileName, "[Zorvik_The_Vexling]\nmessagetext=old\n");
  SetProfileFaultForTests([](const std::string& at) { return at == "write" ? ENOSPC : 0; });
  QTest::keyClicks(dlg->Text1, "lost");
  QTest::mouseClick(dlg->Apply, Qt::LeftButton);
  SetProfileFaultForTests({});
  EXPECT_EQ(Ini(), "[Zorvik_The_Vexling]\nmessagetext=old\n");
  BugReportForm& report = vb::FormInstance<BugReportForm>();
  EXPECT_TRUE(report.isVisible());
  EXPECT_EQ(report.Caption(), "Error Code: VORN- 61-System/PutIniData");
  vb::ResetFormsForTests();
}

TEST_F(MessageDialog, CancelWritesNothingAndStillBringsUpTheSettingsDialog) {
  QTest::keyClicks(dlg->Text1, "never stored");
  int code = ExitCodeOf([&] { QTest::mouseClick(dlg->Cancel, Qt::LeftButton); });
  EXPECT_EQ(code, -1);  // the process goes on
  EXPECT_FALSE(IniExists());
  EXPECT_TRUE(SettingsDialogShown());
  EXPECT_FALSE(dlg->IsLoaded());
  EXPECT_FALSE(dlg->isVisible());
}

TEST_F(MessageDialog, EnterOnAFocusedButtonPressesThatButton) {
  QTest::keyClicks(dlg->Text1, "x");
  dlg->Cancel->setFocus();
  QTest::keyClick(dlg->Cancel, Qt::Key_Return);
  EXPECT_FALSE(IniExists());
  EXPECT_FALSE(dlg->IsLoaded());
  EXPECT_TRUE(SettingsDialogShown());
}

TEST_F(MessageDialog, AccessKeysPressTheButtons) {
  QTest::keyClicks(dlg->Text1, "by key");
  QTest::keyClick(dlg->Text1, Qt::Key_A, Qt::AltModifier);
  QTest::qWait(400);
  EXPECT_EQ(Ini(), "[Zorvik_The_Vexling]\nmessagetext=by key\n");
}

}  // namespace
