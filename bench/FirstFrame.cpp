// Time from starting a program to its first dark frame on the X display given
// by DISPLAY: starts the program, then reads a few full-width rows of the
// screen every millisecond until nearly all of their pixels that were lit
// before the start are black. The screen must show something lit before
// (Xvfb -retro's root pattern). After each run the program is ended and the
// screen must come back.
//
//   first_frame [--repeat N] -- program [arguments...]
//
// Prints one line per run (first_frame_ms=...) and the median.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {

constexpr int kRows = 9;
constexpr double kDark = 0.95;  // share of the lit pixels gone black that counts as a dark frame

double Now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// A few rows spread over the screen, one byte a pixel: 1 where it is lit.
std::vector<uint8_t> LitPixels(xcb_connection_t* c, xcb_screen_t* screen) {
  std::vector<uint8_t> lit;
  for (int i = 0; i < kRows; ++i) {
    int16_t y = static_cast<int16_t>((screen->height_in_pixels - 1) * i / (kRows - 1) + (i % 2));
    y = std::min<int16_t>(y, static_cast<int16_t>(screen->height_in_pixels - 1));
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, 0, y, screen->width_in_pixels, 1, ~0u),
        nullptr);
    if (!image) continue;
    const uint8_t* data = xcb_get_image_data(image);
    int length = xcb_get_image_data_length(image);
    // 24-bit depth comes as 4 bytes a pixel.
    for (int p = 0; p + 3 < length; p += 4) lit.push_back((data[p] | data[p + 1] | data[p + 2]) != 0);
    free(image);
  }
  return lit;
}

// The share of the pixels lit in `before` that are black now.
double DarkShare(xcb_connection_t* c, xcb_screen_t* screen, const std::vector<uint8_t>& before) {
  std::vector<uint8_t> now = LitPixels(c, screen);
  long lit = 0, dark = 0;
  for (size_t i = 0; i < before.size() && i < now.size(); ++i)
    if (before[i]) {
      ++lit;
      if (!now[i]) ++dark;
    }
  return lit ? static_cast<double>(dark) / lit : 0;
}

bool WaitFor(xcb_connection_t* c, xcb_screen_t* screen, const std::vector<uint8_t>& before, bool dark,
             double limit) {
  double end = Now() + limit;
  while (Now() < end) {
    if ((DarkShare(c, screen, before) >= kDark) == dark) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  int repeat = 1, first = 1;
  if (argc > 2 && !std::strcmp(argv[1], "--repeat")) {
    repeat = std::max(1, std::atoi(argv[2]));
    first = 3;
  }
  if (first < argc && !std::strcmp(argv[first], "--")) ++first;
  if (first >= argc) {
    std::fprintf(stderr, "usage: first_frame [--repeat N] -- program [arguments...]\n");
    return 2;
  }
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "first_frame: no X display\n");
    return 1;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;

  const std::vector<uint8_t> before = LitPixels(c, screen);
  if (std::count(before.begin(), before.end(), 1) < static_cast<long>(before.size() / 10)) {
    std::fprintf(stderr, "first_frame: the screen is dark before the start\n");
    return 1;
  }
  std::vector<double> times;
  for (int run = 0; run < repeat; ++run) {
    if (!WaitFor(c, screen, before, false, 5)) {
      std::fprintf(stderr, "first_frame: the screen did not come back after the last run\n");
      return 1;
    }
    const double start = Now();
    pid_t child = fork();
    if (child == 0) {
      execvp(argv[first], argv + first);
      _exit(127);
    }
    bool seen = WaitFor(c, screen, before, true, 10);
    double ms = (Now() - start) * 1000.0;
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    if (!seen) {
      std::fprintf(stderr, "first_frame: no dark frame within 10 s\n");
      return 1;
    }
    std::printf("first_frame_ms=%.1f\n", ms);
    times.push_back(ms);
  }
  std::sort(times.begin(), times.end());
  std::printf("median_first_frame_ms=%.1f\n", times[times.size() / 2]);
  xcb_disconnect(c);
  return 0;
}
