#include <fcntl.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "platform/Profile.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

using SetUpDialog = DialogTest;

TEST_F(SetUpDialog, ApplyWritesWhatTheUserChoseAsNineKeysInOrder) {
  OpenSettings();
  QTest::mouseClick(dlg->introchk, Qt::LeftButton);
  QTest::mouseClick(dlg->gunnerchk, Qt::LeftButton);
  KeyOn(dlg->belowchk, Qt::Key_Space);
  dlg->hsbSpeed->SetValue(200);
  EXPECT_EQ(ExitCodeOf([&] { QTest::keyClick(dlg->cmdOK, Qt::Key_A, Qt::AltModifier); QTest::qWait(400); }), 0);
  EXPECT_EQ(Ini(),
            "[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=200\nSound=1\nFlag=1\nGunner=0\nBelow=0\nAbove=1\n"
            "Runner=1\nIntro=0\n");
}

// The lock row is a real lock, held (flock, as writers take it) by another
// process, as by a writer stopped mid-write: the write waits for it a bounded
// time, then fails.
TEST_F(SetUpDialog, AnApplyThatCannotWriteIsReportedAndSavesNothing) {
  const std::string before = "[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=9\n";
  const std::tuple<std::string, int, const char*> faults[] = {
      {"read", EACCES, "Error Code: VORN- 70-Configuration/cmdok_Click"},
      {"write", ENOSPC, "Error Code: VORN- 61-Configuration/cmdok_Click"},
      {"rename", EIO, "Error Code: VORN- 57-Configuration/cmdok_Click"},
      {"held lock", 0, "Error Code: VORN- 75-Configuration/cmdok_Click"}};
  for (auto [step, error, caption] : faults) {
    OpenSettings(before);
    const std::string lock = dir.File("zentravo.ini.lock");
    const pid_t holder = error ? -1 : fork();
    if (holder == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      flock(open(lock.c_str(), O_RDWR | O_CREAT, 0600), LOCK_EX);
      pause();
    }
    const int probe = holder > 0 ? open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600) : -1;
    while (probe >= 0 && flock(probe, LOCK_EX | LOCK_NB) == 0) flock(probe, LOCK_UN);  // until the holder has it
    SetProfileFaultForTests([step = step, error = error](const std::string& at) { return at == step ? error : 0; });
    EXPECT_EQ(ExitCodeOf([&] { dlg->cmdok_click(); }), -1) << step;  // the dialog stays
    SetProfileFaultForTests({});
    if (holder > 0) close(probe), kill(holder, SIGKILL), waitpid(holder, nullptr, 0);
    EXPECT_TRUE(dlg->isVisible()) << step;
    EXPECT_EQ(ErrorWindowCaption(), caption);
    EXPECT_EQ(Ini(), before) << step;
  }
  vb::ResetFormsForTests();
}

// Enter applies from any control but Cancel; Cancel, Esc and the close box
// end the process without writing.
TEST_F(SetUpDialog, EnterAppliesUnlessOnCancelAndEveryOtherWayOutWritesNothing) {
  const std::string before = "[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=9\n";
  const std::tuple<const char*, std::function<void(Configuration&)>, bool> ways[] = {
      {"Cancel", [](Configuration& d) { QTest::mouseClick(d.cmdCancel, Qt::LeftButton); }, false},
      {"Esc on a box", [](Configuration& d) { KeyOn(d.flagchk, Qt::Key_Escape); }, false},
      {"Enter on Cancel", [](Configuration& d) { KeyOn(d.cmdCancel, Qt::Key_Enter, Qt::KeypadModifier); }, false},
      {"close box", [](Configuration& d) { d.close(); }, false},
      {"Enter on the logo", [](Configuration& d) { KeyOn(d.Picture1, Qt::Key_Return); }, true},
      {"Enter on the bar", [](Configuration& d) { KeyOn(d.hsbSpeed, Qt::Key_Return); }, true},
  };
  for (const auto& [name, leave, applies] : ways) {
    OpenSettings(before);
    EXPECT_EQ(dlg->focusWidget(), dlg->cmdOK) << name;
    dlg->introchk->setChecked(false);
    dlg->hsbSpeed->SetValue(100);
    EXPECT_EQ(ExitCodeOf([&, &leave = leave] { leave(*dlg); }), 0) << name;
    EXPECT_EQ(Ini() != before, applies) << name;
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
