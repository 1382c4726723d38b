#pragma once
// The error window: its caption carries the error code, a button opens the
// bug-report page, and closing it ends the program through the common exit.
#include <QLabel>
#include <QPushButton>

#include "platform/Forms.h"

class BugReportForm : public vb::Form {
  Q_OBJECT
 public:
  BugReportForm();

  QLabel* Image3;
  QLabel* Label1;
  QLabel* Image1;
  QPushButton* Command1;

  void Command1_Click();

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
};

// The message of the error window.
extern const char* const kBugReportMessage;
