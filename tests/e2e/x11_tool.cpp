// Small X11 helper for the end-to-end tests and benchmarks.
//   x11_tool window <title> [<width> <height> [input-only]]
//                             opens a white top-level window with that title
//                             at 10, 10 (200 x 100 unless given), prints its
//                             id, destroys it when a line arrives on stdin and
//                             lives on until stdin closes
//   x11_tool destroy <id>     destroys a window of any program
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <xcb/xcb.h>

namespace {

// A round trip, so that what was asked is done for everybody.
void Sync(xcb_connection_t* c) { free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); }

int OpenWindow(xcb_connection_t* c, int argc, char** argv) {
  const std::string title = argv[2];
  const auto width = static_cast<uint16_t>(argc > 4 ? std::atoi(argv[3]) : 200);
  const auto height = static_cast<uint16_t>(argc > 4 ? std::atoi(argv[4]) : 100);
  const bool inputOnly = argc > 5 && std::string(argv[5]) == "input-only";
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  xcb_window_t w = xcb_generate_id(c);
  xcb_create_window(c, inputOnly ? 0 : XCB_COPY_FROM_PARENT, w, screen->root, 10, 10, width, height, 0,
                    inputOnly ? XCB_WINDOW_CLASS_INPUT_ONLY : XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    inputOnly ? 0 : XCB_CW_BACK_PIXEL, &screen->white_pixel);
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      static_cast<uint32_t>(title.size()), title.data());
  xcb_map_window(c, w);
  Sync(c);
  std::cout << w << std::endl;
  std::string line;
  if (std::getline(std::cin, line)) {
    xcb_destroy_window(c, w);
    Sync(c);
    while (std::getline(std::cin, line)) {
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: x11_tool window <title> [<width> <height> [input-only]] | destroy <id>\n");
    return 2;
  }
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (!c || xcb_connection_has_error(c)) {
    std::fprintf(stderr, "x11_tool: no display\n");
    return 1;
  }
  std::string verb = argv[1];
  const auto id = static_cast<xcb_window_t>(std::strtoul(argv[2], nullptr, 0));
  int rc = 2;
  if (verb == "window") rc = OpenWindow(c, argc, argv);
  if (verb == "destroy") {
    xcb_destroy_window(c, id);
    Sync(c);
    rc = 0;
  }
  xcb_disconnect(c);
  return rc;
}
