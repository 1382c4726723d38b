#pragma once
// The message passes of a run: the virtual time of each, and a guard that
// stops a run making more passes than allowed by throwing Runaway, so a loop
// that never ends fails its test instead of hanging it. Made after a
// Timeline, it records in the same passes, after the Timeline.
#include <functional>
#include <vector>

#include "platform/fake/FakeBackend.h"

struct Runaway {};

class Passes {
 public:
  // `each` runs at every pass, after the pass is noted.
  Passes(FakeBackend& host, size_t limit, std::function<void()> each = nullptr) : host_(host) {
    std::function<void()> before = host.onPass;
    host.onPass = [this, before, limit, each] {
      if (before) before();
      times.push_back(host_.now);
      if (times.size() > limit) throw Runaway{};
      if (each) each();
    };
  }
  ~Passes() { host_.onPass = nullptr; }
  Passes(const Passes&) = delete;
  Passes& operator=(const Passes&) = delete;

  std::vector<double> times;

 private:
  FakeBackend& host_;
};

// Message passes at a fixed rate during the fixed waits, so a Timeline sees
// what a wait shows when it starts, not only when it ends.
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
