#include "platform/Backend.h"

#include <unistd.h>

#include <QWindow>
#include <cassert>
#include <cmath>
#include <exception>
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
  // Taken once: the process id, and a number from the system's entropy
  // source where it gives one (the clock still varies the draws without it).
  static const uint64_t seed = [] {
    uint64_t noise = 0;
    try {
      std::random_device entropy;
      noise = static_cast<uint64_t>(entropy()) << 32 | entropy();
    } catch (const std::exception&) {
    }
    return noise ^ static_cast<uint64_t>(getpid());
  }();
  return seed;
}

void Backend::PlaceInDevicePixels(QWindow* window, const QRect& device) {
  const double r = DevicePixelRatio();
  auto own = [r](int pixels) { return static_cast<int>(std::lround(pixels / r)); };
  window->setGeometry(own(device.x()), own(device.y()), own(device.width()), own(device.height()));
}
