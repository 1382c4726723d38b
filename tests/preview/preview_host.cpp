// A stand-in for the program that hosts a preview: it opens a white window
// of the given size at 10, 10 (an input-only one when the third argument is
// "input-only"), prints the window's id, destroys the window when a line
// arrives on stdin and lives on until stdin closes, so only the window goes
// away.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <xcb/xcb.h>

int main(int argc, char** argv) {
  const int width = argc > 1 ? std::atoi(argv[1]) : 152;
  const int height = argc > 2 ? std::atoi(argv[2]) : 112;
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (!c || xcb_connection_has_error(c)) {
    std::fprintf(stderr, "preview_host: no display\n");
    return 1;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  xcb_window_t window = xcb_generate_id(c);
  const bool inputOnly = argc > 3 && std::string(argv[3]) == "input-only";
  const uint32_t values[] = {screen->white_pixel, 1};
  xcb_create_window(c, inputOnly ? 0 : XCB_COPY_FROM_PARENT, window, screen->root, 10, 10,
                    static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0,
                    inputOnly ? XCB_WINDOW_CLASS_INPUT_ONLY : XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    inputOnly ? XCB_CW_OVERRIDE_REDIRECT : XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT,
                    inputOnly ? values + 1 : values);
  xcb_map_window(c, window);
  // A round trip, so the window exists for everybody once its id is printed.
  free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  std::cout << window << std::endl;

  std::string line;
  if (std::getline(std::cin, line)) {
    xcb_destroy_window(c, window);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    while (std::getline(std::cin, line)) {
    }
  }
  xcb_disconnect(c);
  return 0;
}
