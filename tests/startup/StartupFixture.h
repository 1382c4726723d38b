#pragma once
// A fresh process for each test: fake backend, empty Windows directory,
// every module variable at its start value and no window loaded.
#include <gtest/gtest.h>

#include "startup/Starter.h"
#include "startup/System.h"
#include "tests/common/Outcome.h"
#include "tests/common/TempWinDir.h"

class Startup : public testing::Test {
 protected:
  TempWinDir dir;
  FakeBackend host;

  Startup() {
    Starter::ResetForTests();
    vb::ResetFormsForTests();
  }
  ~Startup() override { vb::ResetFormsForTests(); }

  // Runs the program's entry afresh with a command line; true when the process ended.
  bool RunMain(const std::string& commandLine) {
    Starter::ResetForTests();
    vb::ResetFormsForTests();
    host.commandLine = commandLine;
    return ExitCodeOf(Starter::Main) != -1;
  }
};
