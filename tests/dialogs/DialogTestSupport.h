#pragma once
// Shared set-up for the dialog tests: a fresh Windows directory, the fake
// backend, and a way to see the process end.
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "dialogs/Configuration.h"
#include "platform/fake/FakeBackend.h"
#include "startup/Starter.h"
#include "tests/common/Outcome.h"
#include "tests/common/TempWinDir.h"

// Makes a window the active one, as a click on it would.
inline void Activate(QWidget* window) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// A key pressed with the focus on `control`.
inline void KeyOn(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  control->setFocus();
  QTest::keyClick(control, key, modifiers);
}

class DialogTest : public testing::Test {
 protected:
  TempWinDir dir;
  FakeBackend host;

  void SetUp() override { Starter::ResetForTests(); }
  // Writes the settings file and loads the settings from it, as start-up does.
  void StartWith(const std::string& iniText) {
    if (!iniText.empty()) dir.Write(Starter::IniFileName, iniText);
    Starter::X_GetData();
  }
  std::string Ini() const { return dir.Read(Starter::IniFileName); }

  // The settings dialog, loaded from `iniText` and made the active window.
  std::unique_ptr<Configuration> dlg;
  void OpenSettings(const std::string& iniText = "") {
    StartWith(iniText);
    dlg = std::make_unique<Configuration>();
    dlg->Load();
    Activate(dlg.get());
  }
};
