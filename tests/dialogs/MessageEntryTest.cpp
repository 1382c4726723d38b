#include <memory>

#include "dialogs/Configuration.h"
#include "dialogs/messageentry.h"
#include "platform/Profile.h"
#include "startup/BugReportForm.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

class MessageDialog : public DialogTest {
 protected:
  std::unique_ptr<messageentry> entry;

  void Open() {
    StartWith("");
    vb::FormInstance<Configuration>().hide();
    entry = std::make_unique<messageentry>();
    entry->Load();
    entry->show();
    Activate(entry.get());
  }
  bool SettingsDialogShown() const { return vb::FormInstance<Configuration>().isVisible(); }
};

// Enter, Apply and Alt+A store the text, Cancel does not; all lead to the settings dialog.
TEST_F(MessageDialog, EveryWayOutLeadsToTheSettingsDialog) {
  const std::tuple<const char*, std::function<void(messageentry&)>, const char*> ways[] = {
      {"Enter", [](messageentry& d) { QTest::keyClick(d.Text1, Qt::Key_Return); }, "Hello there"},
      {"Apply", [](messageentry& d) { QTest::mouseClick(d.Apply, Qt::LeftButton); }, "Hello there"},
      {"Alt+A", [](messageentry& d) { QTest::keyClick(d.Text1, Qt::Key_A, Qt::AltModifier); QTest::qWait(400); },
       "Hello there"},
      {"Cancel", [](messageentry& d) { KeyOn(d.Cancel, Qt::Key_Return); }, "old"},
  };
  for (const auto& [name, leave, stored] : ways) {
    dir.Write(Starter::IniFileName, "[Zorvik_The_Vexling]\nfirstrun=1\nmessagetext=old\n");
    Open();
    EXPECT_EQ(entry->focusWidget(), entry->Text1) << name;
    EXPECT_FALSE(SettingsDialogShown()) << name;
    QTest::keyClicks(entry->Text1, "Hello there");
    EXPECT_EQ(ExitCodeOf([&, &leave = leave] { leave(*entry); }), -1) << name;  // the process goes on
    EXPECT_EQ(Ini(), std::string("[Zorvik_The_Vexling]\nfirstrun=1\nmessagetext=") + stored + "\n") << name;
    EXPECT_TRUE(SettingsDialogShown()) << name;
    EXPECT_FALSE(entry->isVisible()) << name;
  }
}

TEST_F(MessageDialog, AWriteThatFailsIsReported) {
  dir.Write(Starter::IniFileName, "[Zorvik_The_Vexling]\nmessagetext=old\n");
  Open();
  SetProfileFaultForTests([](const std::string& at) { return at == "write" ? ENOSPC : 0; });
  QTest::keyClicks(entry->Text1, "lost");
  QTest::mouseClick(entry->Apply, Qt::LeftButton);
  SetProfileFaultForTests({});
  EXPECT_EQ(Ini(), "[Zorvik_The_Vexling]\nmessagetext=old\n");
  EXPECT_EQ(ErrorWindowCaption(), "Error Code: VORN- 61-System/PutIniData");
  vb::ResetFormsForTests();
}

}  // namespace
