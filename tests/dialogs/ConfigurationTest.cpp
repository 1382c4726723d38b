#include <QApplication>
#include <QImage>
#include <QStyleOptionButton>
#include <memory>

#include "dialogs/Configuration.h"
#include "platform/Profile.h"
#include "startup/BugReportForm.h"
#include "tests/dialogs/DialogTestSupport.h"

namespace {

class SetUpDialog : public DialogTest {
 protected:
  std::unique_ptr<Configuration> dlg;

  Configuration& Open(const std::string& iniText = "") {
    StartWith(iniText);
    dlg = std::make_unique<Configuration>();
    dlg->Load();
    return *dlg;
  }
  Configuration& OpenActive(const std::string& iniText = "") {
    Open(iniText);
    Activate(dlg.get());
    return *dlg;
  }
  std::vector<bool> Boxes() const {
    return {dlg->ChkSound->isChecked(), dlg->introchk->isChecked(),  dlg->runnerchk->isChecked(),
            dlg->flagchk->isChecked(),  dlg->gunnerchk->isChecked(), dlg->abovechk->isChecked(),
            dlg->belowchk->isChecked()};
  }
};

TEST_F(SetUpDialog, WithoutAFileShowsEveryBoxTickedAndTheFastestSpeed) {
  Open();
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(dlg->Caption(), "Screen Saver Set-Up");
  EXPECT_EQ(dlg->lblVersion->text(), "Version 6.0");
  EXPECT_EQ(Boxes(), std::vector<bool>(7, true));
  EXPECT_EQ(dlg->hsbSpeed->Value(), 1);
  EXPECT_EQ(dlg->focusWidget(), dlg->cmdOK);
}

TEST_F(SetUpDialog, ShowsEachStoredSettingInItsOwnBox) {
  Open("[Zorvik_The_Vexling]\nfirstrun=1\nSound=1\nIntro=0\nRunner=1\nFlag=0\nGunner=1\nAbove=0\n"
       "Below=1\nSpinSpeed=37\n");
  // Sound, Intro, Runner, Flag, Gunner, Above, Below
  EXPECT_EQ(Boxes(), (std::vector<bool>{true, false, true, false, true, false, true}));
  EXPECT_EQ(dlg->hsbSpeed->Value(), 37);
}

TEST_F(SetUpDialog, HalfwaySpeedsShowAsTheEvenNeighbour) {
  for (const char* stored : {"1.5", "2.5"}) {
    Open(std::string("[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=") + stored + "\n");
    EXPECT_EQ(dlg->hsbSpeed->Value(), 2) << stored;
  }
}

TEST_F(SetUpDialog, ApplyWithNothingChangedWritesAllNineKeysInOrder) {
  OpenActive();
  EXPECT_EQ(ExitCodeOf([&] { QTest::mouseClick(dlg->cmdOK, Qt::LeftButton); }), 0);
  EXPECT_EQ(Ini(), kAllOnAtFastest);
}

TEST_F(SetUpDialog, ApplyRewritesItsKeysInPlaceAndKeepsEveryOtherLine) {
  const std::string before =
      "; kept\r\n[Other]\r\nSound=7\r\n[Zorvik_The_Vexling]\r\nfirstrun=1\r\nIntro=0\r\nSpinSpeed=2.5\r\n"
      "messagetext=hello\r\nSound=1\r\n\r\n[Last]\r\nx=y\r\n";
  Open(before);
  EXPECT_EQ(ExitCodeOf([&] { dlg->cmdok_click(); }), 0);
  EXPECT_EQ(Ini(),
            "; kept\r\n[Other]\r\nSound=7\r\n[Zorvik_The_Vexling]\r\nfirstrun=1\r\nIntro=0\r\nSpinSpeed=2\r\n"
            "messagetext=hello\r\nSound=1\r\nFlag=0\r\nGunner=0\r\nBelow=0\r\nAbove=0\r\nRunner=0\r\n\r\n"
            "[Last]\r\nx=y\r\n");
}

TEST_F(SetUpDialog, AnApplyThatCannotWriteIsReportedAndSavesNothing) {
  const std::string before = "[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=9\n";
  const std::tuple<const char*, int, const char*> faults[] = {
      {"read", EACCES, "Error Code: VORN- 70-Configuration/cmdok_Click"},
      {"write", ENOSPC, "Error Code: VORN- 61-Configuration/cmdok_Click"},
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

TEST_F(SetUpDialog, ApplyWritesWhatTheUserChose) {
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

TEST_F(SetUpDialog, CancelEscAndTheCloseBoxWriteNothingAndEndTheProcess) {
  const std::string before = "[Zorvik_The_Vexling]\nfirstrun=1\nSpinSpeed=9\n";
  const std::vector<std::pair<const char*, std::function<void(Configuration&)>>> ways = {
      {"Cancel", [](Configuration& d) { QTest::mouseClick(d.cmdCancel, Qt::LeftButton); }},
      {"Esc on a box", [](Configuration& d) { d.flagchk->setFocus(); QTest::keyClick(d.flagchk, Qt::Key_Escape); }},
      {"Esc on Apply", [](Configuration& d) { QTest::keyClick(d.cmdOK, Qt::Key_Escape); }},
      {"Alt+C", [](Configuration& d) { QTest::keyClick(d.cmdOK, Qt::Key_C, Qt::AltModifier); QTest::qWait(400); }},
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

TEST_F(SetUpDialog, EnterPressesApplyUnlessTheFocusIsOnCancel) {
  const std::vector<std::pair<const char*, std::function<QWidget*(Configuration&)>>> focus = {
      {"Apply", [](Configuration& d) { return d.cmdOK; }},
      {"speed", [](Configuration& d) { return d.hsbSpeed; }},
      {"a box", [](Configuration& d) { return d.runnerchk; }},
      {"the logo", [](Configuration& d) { return d.Picture1; }},
  };
  for (const auto& [name, target] : focus) {
    std::filesystem::remove(dir.File(Starter::IniFileName));
    OpenActive();
    QWidget* w = target(*dlg);
    w->setFocus();
    ASSERT_EQ(dlg->focusWidget(), w) << name;
    EXPECT_EQ(ExitCodeOf([&] { QTest::keyClick(w, Qt::Key_Return); }), 0) << name;
    EXPECT_EQ(Ini(), kAllOnAtFastest) << name;
  }
  std::filesystem::remove(dir.File(Starter::IniFileName));
  OpenActive();
  dlg->cmdCancel->setFocus();
  EXPECT_EQ(ExitCodeOf([&] { QTest::keyClick(dlg->cmdCancel, Qt::Key_Enter, Qt::KeypadModifier); }), 0);
  EXPECT_FALSE(IniExists());
}

TEST_F(SetUpDialog, ApplyKeepsTheDefaultFrameUnlessCancelHasTheFocus) {
  OpenActive();
  auto check = [&](QWidget* w, bool cancelFramed) {
    w->setFocus();
    ASSERT_EQ(dlg->focusWidget(), w);
    EXPECT_EQ(dlg->cmdOK->isDefault(), !cancelFramed) << w->metaObject()->className();
    EXPECT_EQ(dlg->cmdCancel->isDefault(), cancelFramed) << w->metaObject()->className();
  };
  check(dlg->cmdOK, false);
  check(dlg->hsbSpeed, false);
  check(dlg->cmdCancel, true);
  check(dlg->runnerchk, false);
  check(dlg->Picture1, false);
  check(dlg->cmdOK, false);
}

TEST_F(SetUpDialog, TabVisitsTheControlsInOrder) {
  OpenActive();
  std::vector<QWidget*> expected = {dlg->cmdCancel, dlg->hsbSpeed,  dlg->belowchk, dlg->abovechk,
                                    dlg->gunnerchk, dlg->flagchk,   dlg->introchk, dlg->runnerchk,
                                    dlg->ChkSound,  dlg->Picture1,  dlg->cmdOK};
  for (QWidget* next : expected) {
    QTest::keyClick(dlg->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(dlg->focusWidget(), next) << next->metaObject()->className();
  }
}

TEST_F(SetUpDialog, ControlsStandAtTheirPlacesInPixelsOfTheScreen) {
  host.twipsX = host.twipsY = 12;  // a 120-dpi screen
  Open();
  EXPECT_EQ(dlg->size(), QSize(410, 366));
  EXPECT_EQ(dlg->hsbSpeed->parentWidget(), dlg->fraSpeed);
  EXPECT_EQ(dlg->hsbSpeed->geometry(), QRect(20, 25, 201, 21));
  EXPECT_EQ(dlg->flagchk->geometry(), QRect(200, 70, 161, 31));
  EXPECT_EQ(dlg->Frame2->geometry(), QRect(10, 310, 391, 41));
  EXPECT_EQ(dlg->Label1->font().pixelSize(), 14);  // 8.25 points
  EXPECT_TRUE(dlg->Label1->font().bold());
  EXPECT_FALSE(dlg->lblAuthor->font().bold());
  EXPECT_EQ(dlg->Picture1->pixmap().size(), QSize(38, 39));
}

TEST_F(SetUpDialog, EveryTextFitsItsControl) {
  Open();
  for (QLabel* label : {dlg->lblAuthor, dlg->lblVersion, dlg->Label5, dlg->Label6, dlg->Label1})
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
        << label->text().toStdString();
  for (QCheckBox* box : dlg->findChildren<QCheckBox*>()) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    QRect contents = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), contents.width())
        << box->text().toStdString();
  }
  for (QPushButton* button : {dlg->cmdOK, dlg->cmdCancel})
    EXPECT_LE(button->sizeHint().width(), button->width()) << button->text().toStdString();
  for (QGroupBox* frame : {dlg->fraAuthor, dlg->fraSpeed, dlg->fraOptions, dlg->Frame1})
    EXPECT_LE(frame->fontMetrics().horizontalAdvance(frame->title()) + 16, frame->width())
        << frame->title().toStdString();
}

// The darkest pixel of a frame's caption line.
int DarkestCaptionGrey(QGroupBox* frame) {
  QImage image = frame->grab().toImage();
  int darkest = 255;
  for (int y = 0; y < frame->fontMetrics().height(); ++y)
    for (int x = 0; x < image.width(); ++x) darkest = std::min(darkest, qGray(image.pixel(x, y)));
  return darkest;
}

TEST_F(SetUpDialog, FrameCaptionsAreDarkGreyExceptTheProductName) {
  Open();
  for (QGroupBox* frame : {dlg->fraSpeed, dlg->fraOptions, dlg->Frame1}) {
    int grey = DarkestCaptionGrey(frame);
    EXPECT_GE(grey, 0x38) << frame->title().toStdString();
    EXPECT_LE(grey, 0x50) << frame->title().toStdString();
  }
  EXPECT_LT(DarkestCaptionGrey(dlg->fraAuthor), 0x20);
  // The boxes inside a grey-captioned frame keep the ordinary text colour.
  EXPECT_EQ(dlg->introchk->palette().color(QPalette::WindowText),
            QApplication::palette().color(QPalette::WindowText));
}

}  // namespace
