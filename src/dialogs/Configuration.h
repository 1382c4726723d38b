#pragma once
// The "Screen Saver Set-Up" dialog: the six episodes, the sound effects and
// the animation speed. "Apply" writes every choice to the settings file;
// however the dialog closes, the process ends.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <cstdint>

#include "dialogs/HScrollBar.h"
#include "dialogs/Shape.h"
#include "platform/Forms.h"

// The speed bar's value for a stored speed: rounded half to even (beyond 16
// bits raises overflow), and outside the bar's 1..200 raises the
// invalid-property-value error.
int16_t SpeedScrollValue(float SpinSpeed);

class Configuration : public vb::Form {
  Q_OBJECT
 public:
  Configuration();

  dialogs::Shape* Shape1;
  QLabel* Picture1;
  QGroupBox* fraAuthor;
  QLabel* lblAuthor;
  QLabel* lblVersion;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QGroupBox* fraSpeed;
  dialogs::HScrollBar* hsbSpeed;
  QLabel* Label6;
  QLabel* Label5;
  QGroupBox* fraOptions;
  QCheckBox* ChkSound;
  QGroupBox* Frame1;
  QCheckBox* introchk;
  QCheckBox* abovechk;
  QCheckBox* gunnerchk;
  QCheckBox* belowchk;
  QCheckBox* runnerchk;
  QCheckBox* flagchk;
  QGroupBox* Frame2;
  QLabel* Label1;

  void cmdok_click();
  void cmdCancel_Click();

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
  void keyPressEvent(QKeyEvent* event) override;
};

// The maker's name and the notice at the foot of the dialog.
extern const char* const kAuthorName;
extern const char* const kLegalNotice;
