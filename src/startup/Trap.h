#pragma once
// The error trap of a procedure: a run-time error raised anywhere below it is
// reported under the procedure's label, and the procedure ends there.
#include <exception>

#include "platform/VbError.h"
#include "startup/System.h"

inline constexpr int kInternalError = 51;

// Runs `body`; returns true when it was left through the trap.
template <class Body>
bool Trapped(const char* label, Body&& body) {
  try {
    body();
    return false;
  } catch (const vb::VbError& error) {
    System::ErrNumber = error.Number();
  } catch (const std::exception&) {
    System::ErrNumber = kInternalError;
  }
  System::ReportError(label);
  return true;
}

// Runs `body` with errors skipped: a failing step is abandoned, nothing reported.
template <class Body>
void Skipping(Body&& body) {
  try {
    body();
  } catch (const vb::VbError&) {
  } catch (const std::exception&) {
  }
}
