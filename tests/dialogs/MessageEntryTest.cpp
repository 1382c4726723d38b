#include "dialogs/messageentry.h"
#include "platform/Profile.h"
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

// Enter, Apply and Alt+A store the text, Cancel does not; all lead to the
// settings dialog, as does an Apply whose write fails, which is reported.
TEST_F(MessageDialog, EveryWayOutLeadsToTheSettingsDialog) {
  auto apply = [](messageentry& d) { QTest::mouseClick(d.Apply, Qt::LeftButton); };
  const std::tuple<const char*, std::function<void(messageentry&)>, const char*, int> ways[] = {
      {"Enter", [](messageentry& d) { QTest::keyClick(d.Text1, Qt::Key_Return); }, "Hello there", 0},
      {"Apply", apply, "Hello there", 0},
      {"Alt+A", [](messageentry& d) { QTest::keyClick(d.Text1, Qt::Key_A, Qt::AltModifier); QTest::qWait(400); },
       "Hello there", 0},
      {"Cancel", [](messageentry& d) { KeyOn(d.Cancel, Qt::Key_Return); }, "old", 0},
      {"Apply, the write failing", apply, "old", EFBIG},
  };
  for (const auto& [name, leave, stored, fault] : ways) {
    dir.Write(Starter::IniFileName, "[Zorvik_The_Vexling]\nfirstrun=1\nmessagetext=old\n");
    Open();
    EXPECT_EQ(entry->focusWidget(), entry->Text1) << name;
    EXPECT_FALSE(SettingsDialogShown()) << name;
    QTest::keyClicks(entry->Text1, "Hello there");
    SetProfileFaultForTests([fault = fault](const std::string& at) { return at == "write" ? fault : 0; });
    EXPECT_EQ(ExitCodeOf([&, &leave = leave] { leave(*entry); }), -1) << name;  // the process goes on
    SetProfileFaultForTests({});
    EXPECT_EQ(Ini(), std::string("[Zorvik_The_Vexling]\nfirstrun=1\nmessagetext=") + stored + "\n") << name;
    EXPECT_EQ(ErrorWindowCaption(), fault ? "Error Code: VORN- 61-System/PutIniData" : "") << name;
    EXPECT_TRUE(SettingsDialogShown()) << name;
    EXPECT_FALSE(entry->isVisible()) << name;
  }
  vb::ResetFormsForTests();
}

}  // namespace
