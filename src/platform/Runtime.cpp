#include "platform/Runtime.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/Backend.h"

namespace vb {
namespace {
// The generator: a 24-bit linear congruential sequence.
uint32_t rndState = 0x50000;
}  // namespace

std::string Command() { return Host().CommandLine(); }
bool AppPrevInstance() { return Host().PrevInstance(); }
float Timer() { return static_cast<float>(Host().SecondsSinceMidnight()); }
double PreciseTimer() { return Host().SecondsSinceMidnight(); }

void Randomize() { Randomize(Timer()); }

void Randomize(double seed) {
  // Mix the bytes of the seed into the middle of the state.
  double d = seed;
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  uint32_t hi = static_cast<uint32_t>(bits >> 32);
  uint32_t mixed = ((hi & 0xFFFF) ^ (hi >> 16)) << 8;
  rndState = mixed & 0x00FFFF00u;
}

float Rnd() {
  rndState = (rndState * 1140671485u + 12820163u) & 0xFFFFFFu;
  if (HasHost())
    if (std::optional<float> imposed = Host().ImposedDraw()) return *imposed;
  return static_cast<float>(rndState) / 16777216.0f;
}

void End(int code) {
  Host().EndProcess(code);
  std::abort();  // a backend's EndProcess never comes back
}

}  // namespace vb
