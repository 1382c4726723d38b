#pragma once
// How an action of the program's ended: the process's exit code, and the
// error window it left showing.
#include "platform/fake/FakeBackend.h"
#include "startup/BugReportForm.h"

// Runs `action`; returns the exit code when it ends the process, -1 when it
// returns normally.
inline int ExitCodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ProcessEnded& ended) {
    return ended.code;
  }
  return -1;
}

// The caption of the error window, or "" when no error was reported.
inline std::string ErrorWindowCaption() {
  BugReportForm& form = vb::FormInstance<BugReportForm>();
  return form.IsLoaded() && form.isVisible() ? form.Caption() : std::string();
}
