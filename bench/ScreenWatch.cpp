// Watches rows of the screen and prints, with a steady clock in milliseconds,
// every moment something starts or stops showing in them: "<ms> shown" and
// "<ms> black". Used to time the episodes of the real program by hand.
//   screen_watch <seconds> <row> [<row> ...]
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

double NowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

bool RowShows(xcb_connection_t* c, xcb_window_t root, uint16_t width, int16_t row) {
  xcb_get_image_reply_t* image = xcb_get_image_reply(
      c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 0, row, width, 1, ~0u), nullptr);
  if (!image) return false;
  const uint32_t* pixels = reinterpret_cast<const uint32_t*>(xcb_get_image_data(image));
  const int count = xcb_get_image_data_length(image) / 4;
  bool shows = false;
  for (int i = 0; i < count && !shows; ++i) shows = (pixels[i] & 0xFFFFFF) != 0;
  free(image);
  return shows;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: screen_watch <seconds> <row> [<row> ...]\n");
    return 2;
  }
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (!c || xcb_connection_has_error(c)) {
    std::fprintf(stderr, "screen_watch: no display\n");
    return 1;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  std::vector<int16_t> rows;
  for (int i = 2; i < argc; ++i) rows.push_back(static_cast<int16_t>(std::atoi(argv[i])));
  const double end = NowMs() + std::atof(argv[1]) * 1000;
  bool was = false;
  while (NowMs() < end) {
    bool shows = false;
    for (int16_t row : rows) shows = shows || RowShows(c, screen->root, screen->width_in_pixels, row);
    if (shows != was) {
      std::printf("%.0f %s\n", NowMs(), shows ? "shown" : "black");
      std::fflush(stdout);
      was = shows;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  xcb_disconnect(c);
  return 0;
}
