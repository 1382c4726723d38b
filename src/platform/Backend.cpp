#include "platform/Backend.h"

#include <unistd.h>

#include <cassert>
#include <random>

namespace {
Backend* current = nullptr;
}

Backend& Host() {
  assert(current && "no backend installed");
  return *current;
}

void SetHost(Backend* backend) { current = backend; }

bool HasHost() { return current != nullptr; }

uint64_t Backend::ProcessSeed() {
  // Taken once: the process id and a number from the system's entropy source.
  static const uint64_t seed = [] {
    std::random_device entropy;
    return (static_cast<uint64_t>(entropy()) << 32 | entropy()) ^ static_cast<uint64_t>(getpid());
  }();
  return seed;
}
