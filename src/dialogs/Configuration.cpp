#include "dialogs/Configuration.h"

#include <QKeyEvent>
#include <string>

#include "assets/Pictures.h"
#include "platform/DialogLook.h"
#include "platform/Runtime.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"
#include "startup/Starter.h"
#include "startup/System.h"
#include "startup/Trap.h"

const char* const kAuthorName = "Zentravo";
const char* const kLegalNotice = "\u00a9 Zentravo. All rights reserved.";

using vb::Place;

namespace {

constexpr int16_t kSlowest = 200;
constexpr int16_t kFastest = 1;

QLabel* Label(QWidget* parent, const char* text, Qt::Alignment alignment) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setAlignment(alignment | Qt::AlignTop);
  label->setFocusPolicy(Qt::NoFocus);
  return label;
}

int16_t CheckValue(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

void SetCheck(QCheckBox* box, int16_t setting) { box->setChecked(setting != 0); }

}  // namespace

int16_t SpeedScrollValue(float SpinSpeed) {
  int16_t value = vb::CInt(SpinSpeed);
  if (value < kFastest || value > kSlowest) vb::Raise(vb::errInvalidProperty);
  return value;
}

Configuration::Configuration() {
  vb::SetFixedDialogFrame(this, true, 4920, 4395);
  setWindowIcon(QIcon(QPixmap::fromImage(LoadPicture("icon"))));
  setFont(vb::DialogFont(true));

  Shape1 = Place(new dialogs::Shape(QColor(0xE0, 0xE0, 0xE0), this), 120, 240, 855, 855);
  Picture1 = Place(new QLabel(this), 240, 360, 600, 615);
  Picture1->setFrameStyle(QFrame::Box | QFrame::Plain);
  Picture1->setLineWidth(1);
  Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Picture1->setPixmap(QPixmap::fromImage(LoadPicture("logo")));
  Picture1->setFocusPolicy(Qt::TabFocus);

  fraAuthor = Place(new QGroupBox("Zorvik The Vexling", this), 1080, 120, 2175, 975, true);
  lblAuthor = Place(Label(fraAuthor, kAuthorName, Qt::AlignHCenter), 120, 300, 1905, 255);
  lblVersion = Place(Label(fraAuthor, "", Qt::AlignHCenter), 120, 600, 1935, 255);

  cmdOK = Place(new QPushButton("&Apply", this), 3360, 240, 1455, 315);
  cmdCancel = Place(new QPushButton("&Cancel", this), 3360, 720, 1455, 315);
  // Enter presses the focused button, and "Apply" from anywhere else.
  cmdOK->setAutoDefault(true);
  cmdCancel->setAutoDefault(true);
  vb::KeepDefaultButton(this, cmdOK);

  fraSpeed = Place(new QGroupBox("Speed", this), 120, 1320, 3135, 855, true);
  hsbSpeed = Place(new dialogs::HScrollBar(kSlowest, kFastest, fraSpeed), 240, 300, 2415, 255);
  hsbSpeed->SetSmallChange(1);
  hsbSpeed->SetLargeChange(5);
  Label6 = Place(Label(fraSpeed, "Slow", Qt::AlignLeft), 240, 600, 495, 195);
  Label5 = Place(Label(fraSpeed, "Fast", Qt::AlignRight), 2280, 600, 435, 195);

  fraOptions = Place(new QGroupBox("Sound Effects", this), 3360, 1320, 1455, 855, true);
  ChkSound = Place(new QCheckBox("Enabled", fraOptions), 240, 360, 1095, 315);

  Frame1 = Place(new QGroupBox("Episodes", this), 120, 2280, 4695, 1335, true);
  introchk = Place(new QCheckBox("Introduction", Frame1), 120, 240, 1575, 375);
  abovechk = Place(new QCheckBox("Spy From Above", Frame1), 120, 600, 1575, 255);
  gunnerchk = Place(new QCheckBox("Ricochet Shot", Frame1), 120, 840, 1575, 375);
  belowchk = Place(new QCheckBox("Spy From Below", Frame1), 2400, 240, 1575, 375);
  runnerchk = Place(new QCheckBox("Marathon Runner", Frame1), 2400, 600, 1575, 255);
  flagchk = Place(new QCheckBox("Flag The Planet", Frame1), 2400, 840, 1935, 375);

  Frame2 = Place(new QGroupBox(this), 120, 3720, 4695, 495, true);
  Label1 = Place(Label(Frame2, kLegalNotice, Qt::AlignHCenter), 360, 180, 3855, 255, true);

  for (QGroupBox* frame : {fraSpeed, fraOptions, Frame1, Frame2})
    vb::SetFrameCaptionColour(frame, vb::kFrameCaptionColour);

  vb::UseClassicLook(this);

  QWidget* order[] = {cmdOK,     cmdCancel, hsbSpeed,  belowchk, abovechk, gunnerchk,
                      flagchk,   introchk,  runnerchk, ChkSound, Picture1};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdok_click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void Configuration::Form_Load() {
  setWindowTitle("Screen Saver Set-Up");
  System::CenterForm(*this);
  hsbSpeed->SetValue(SpeedScrollValue(Starter::Settings.SpinSpeed));
  lblVersion->setText("Version 6.0");
  const Starter::SettingsRecord& s = Starter::Settings;
  SetCheck(ChkSound, s.Sound);
  SetCheck(introchk, s.Intro);
  SetCheck(runnerchk, s.Runner);
  SetCheck(flagchk, s.Flag);
  SetCheck(gunnerchk, s.Gunner);
  SetCheck(abovechk, s.Above);
  SetCheck(belowchk, s.Below);
  cmdOK->setFocus();
  show();
}

void Configuration::cmdok_click() {
  // All nine keys in one write. A write that fails is reported, and the
  // dialog stays open with the user's choices: nothing was saved.
  const bool failed = Trapped("Configuration/cmdok_Click", [&] {
    auto text = [](int value) { return std::to_string(value); };
    System::PutIniKeys(Starter::IniFileName, Starter::IniSection,
                       {{"firstrun", "1"},
                        {"SpinSpeed", text(hsbSpeed->Value())},
                        {"Sound", text(CheckValue(ChkSound))},
                        {"Flag", text(CheckValue(flagchk))},
                        {"Gunner", text(CheckValue(gunnerchk))},
                        {"Below", text(CheckValue(belowchk))},
                        {"Above", text(CheckValue(abovechk))},
                        {"Runner", text(CheckValue(runnerchk))},
                        {"Intro", text(CheckValue(introchk))}});
  });
  if (!failed) Unload();
}

void Configuration::cmdCancel_Click() { Unload(); }

void Configuration::Form_Unload(int16_t&) {
  // Nothing of the show runs in this mode, so no common exit: just end.
  vb::End(0);
}

void Configuration::keyPressEvent(QKeyEvent* event) {
  // Keys that no control took: Enter presses the default button, Esc the
  // cancel button.
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      cmdOK->click();
      return;
    case Qt::Key_Escape:
      cmdCancel->click();
      return;
    default:
      vb::Form::keyPressEvent(event);
  }
}
