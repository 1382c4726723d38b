#include "platform/Backend.h"

#include <cassert>

namespace {
Backend* current = nullptr;
}

Backend& Host() {
  assert(current && "no backend installed");
  return *current;
}

void SetHost(Backend* backend) { current = backend; }

bool HasHost() { return current != nullptr; }
