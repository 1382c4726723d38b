// Measures the show's pacing on the real backend, on the X display given by
// DISPLAY: the CPU used by an animation that moves and re-frames a sprite on
// every tick, and how far each tick's length is from SpinSpeed / 100 s.
//
//   show_bench [--seconds N] [--speed S]
//
// Prints one line of key=value results; a tick's error is its length (the
// pause and the message pass after it) less SpinSpeed / 100 s.
// Wakeups are the times a thread of the process went to sleep and woke up
// again (its voluntary context switches), all threads together.
#include <QApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "platform/Backend.h"
#include "platform/Runtime.h"
#include "platform/qt/QtBackend.h"
#include "show/ScreenSaver.h"
#include "startup/Starter.h"

// The bench's view of the window's private procedures.
class ShowProbe {
 public:
  explicit ShowProbe(ScreenSaver& show) : s_(show) {}
  void SetupStage() { s_.SetupStage(); }
  void WaitTick() { s_.WaitTick(); }

 private:
  ScreenSaver& s_;
};

namespace {

// The real backend, noting when the tick's pause ends so that the pause and
// the message pass after it can be told apart.
class TimedBackend : public QtBackend {
 public:
  using QtBackend::QtBackend;
  double woke = 0;
  void SleepUntil(double deadline) override {
    QtBackend::SleepUntil(deadline);
    woke = Monotonic();
  }
};

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
}

// Voluntary context switches of every thread of this process.
long Wakeups() {
  long total = 0;
  std::error_code ignored;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", ignored)) {
    std::ifstream status(task.path() / "status");
    std::string line;
    while (std::getline(status, line))
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0) total += std::atol(line.c_str() + 24);
  }
  return total;
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<size_t>(std::min<double>(v.size() - 1, p * (v.size() - 1) + 0.5))];
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 120;
  float speed = 1;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc) seconds = std::atof(argv[++i]);
    else if (!std::strcmp(argv[i], "--speed") && i + 1 < argc) speed = static_cast<float>(std::atof(argv[++i]));
    else {
      std::fprintf(stderr, "usage: show_bench [--seconds N] [--speed S]\n");
      return 2;
    }
  }
  int qtArgc = 1;
  auto ownLoop = std::make_unique<QtOwnEventLoop>();  // as the program does
  QApplication app(qtArgc, argv);
  ownLoop.reset();
  TimedBackend backend("/s");
  Starter::Settings.SpinSpeed = speed;

  auto* show = new ScreenSaver;
  ShowProbe probe(*show);
  probe.SetupStage();
  show->setGeometry(0, 0, backend.ScreenWidthPixels(), backend.ScreenHeightPixels());
  show->showFullScreen();
  // Let the window come up before measuring.
  double settle = backend.Monotonic() + 0.5;
  while (backend.Monotonic() < settle) backend.WaitForEvents(settle);

  // The animation: a runner crossing the screen and back, a new frame each tick.
  Image& runner = show->imgSurf;
  const float step = 8.0f * vb::Screen::TwipsPerPixelX();
  const float right = vb::Screen::Width() - show->righter[0].Width();
  float direction = 1;
  runner.SetPicture(show->righter[0].Picture());
  runner.Move(0, vb::Screen::Height() / 2);
  runner.SetVisible(true);

  std::vector<double> errors, pauseErrors, passes;
  const double delay = speed / 100.0f;
  const double cpu0 = CpuSeconds();
  const long wakeups0 = Wakeups();
  const double t0 = backend.Monotonic();
  for (int frame = 0; backend.Monotonic() - t0 < seconds; ++frame) {
    float left = runner.Left() + direction * step;
    if (left > right || left < 0) {
      direction = -direction;
      left = std::clamp(left, 0.0f, right);
    }
    const std::vector<Image>& frames = direction > 0 ? show->righter : show->lefter;
    runner.SetPicture(frames[frame % 3].Picture());
    runner.SetLeft(left);
    double start = backend.Monotonic();
    probe.WaitTick();
    double end = backend.Monotonic();
    errors.push_back((end - start - delay) * 1000.0);
    pauseErrors.push_back((backend.woke - start - delay) * 1000.0);
    passes.push_back((end - backend.woke) * 1000.0);
  }
  const double wall = backend.Monotonic() - t0;
  const double cpu = CpuSeconds() - cpu0;
  const long wakeups = Wakeups() - wakeups0;
  std::vector<double> absolute(errors.size());
  std::transform(errors.begin(), errors.end(), absolute.begin(), [](double e) { return std::fabs(e); });
  // Errors are the tick's length (pause and pass) less SpinSpeed / 100 s,
  // then the pause alone and the pass alone.
  std::printf("speed=%g seconds=%.1f ticks=%zu cpu_percent=%.2f wakeups_per_tick=%.2f "
              "median_error_ms=%.3f p90_error_ms=%.3f max_error_ms=%.3f",
              speed, wall, errors.size(), 100.0 * cpu / wall,
              errors.empty() ? 0.0 : static_cast<double>(wakeups) / errors.size(),
              Percentile(errors, 0.5), Percentile(absolute, 0.9), Percentile(absolute, 1.0));
  std::printf(" median_pause_error_ms=%.3f median_pass_ms=%.3f", Percentile(pauseErrors, 0.5),
                Percentile(passes, 0.5));
  std::printf("\n");
  std::fflush(stdout);
  backend.EndProcess(0);
}
