#pragma once
// Message passes at a fixed rate during the fixed waits, so a Timeline sees
// what a wait shows when it starts, not only when it ends.
#include "platform/fake/FakeBackend.h"

inline void PassAt(FakeBackend& host, double t, double step, double until) {
  if (t >= until) return;
  host.At(t, [&host, t, step, until] {
    double next = t + step;
    while (next <= host.now) next += step;
    PassAt(host, next, step, until);
  });
}

inline void PassEvery(FakeBackend& host, double step, double until) {
  PassAt(host, host.now + step / 10, step, until);
}
