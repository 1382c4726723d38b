#pragma once
// The text-message dialog: one line of text, stored in the settings file
// under "messagetext". Both buttons lead on to the settings dialog.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdint>

#include "platform/Forms.h"

class messageentry : public vb::Form {
  Q_OBJECT
 public:
  messageentry();

  QLabel* textentry;
  QLineEdit* Text1;
  QPushButton* Apply;
  QPushButton* Cancel;

  void apply_Click();
  void Cancel_Click();

 protected:
  void Form_Load() override;
  void Form_Activate();
  void Form_KeyPress(int16_t& KeyAscii);
  bool event(QEvent* event) override;
  // Key preview: the dialog sees each key before the focused control.
  bool eventFilter(QObject* watched, QEvent* event) override;
};
