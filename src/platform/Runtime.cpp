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

// The finaliser of SplitMix64: each bit of the result depends on every bit of x.
uint64_t Mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}
}  // namespace

std::string Command() { return Host().CommandLine(); }
bool AppPrevInstance() { return Host().PrevInstance(); }
float Timer() { return static_cast<float>(Host().SecondsSinceMidnight()); }
double PreciseTimer() { return Host().SecondsSinceMidnight(); }

void Randomize() { Randomize(PreciseTimer()); }

void Randomize(double seed) {
  // Every bit of the seed and of the process's own number goes through a
  // 64-bit mixer, so that seeds a little apart (two clock readings a fixed
  // time apart) start the sequence at unrelated places, each equally likely.
  uint64_t bits;
  std::memcpy(&bits, &seed, sizeof bits);
  const uint64_t mixed = Mix(Mix(bits) ^ Host().ProcessSeed());
  rndState = static_cast<uint32_t>(mixed >> 40);
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
