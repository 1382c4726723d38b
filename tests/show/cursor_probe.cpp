// Prints "blank" when the pointer's current image is fully transparent and
// "visible" otherwise, as the X server's XFIXES extension reports it.
// Exit code 2 when the display or the extension cannot be had.
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/uio.h>

namespace {

xcb_extension_t xfixes = {"XFIXES", 0};

// Sends a request of the extension given as 32-bit words after its header;
// returns the reply, or nullptr.
uint8_t* Ask(xcb_connection_t* c, uint8_t opcode, const uint32_t* words, int count) {
  struct {
    uint8_t major, minor;
    uint16_t length;
    uint32_t body[2];
  } request{};
  request.minor = opcode;
  for (int i = 0; i < count; ++i) request.body[i] = words[i];
  iovec parts[4];
  parts[2].iov_base = &request;
  parts[2].iov_len = 4 + 4 * count;
  parts[3].iov_base = nullptr;
  parts[3].iov_len = 0;
  xcb_protocol_request_t info = {2, &xfixes, opcode, 0};
  unsigned sequence = xcb_send_request(c, XCB_REQUEST_CHECKED, parts + 2, &info);
  xcb_generic_error_t* error = nullptr;
  void* reply = xcb_wait_for_reply(c, sequence, &error);
  if (error) std::free(error);
  return static_cast<uint8_t*>(reply);
}

}  // namespace

int main() {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (!c || xcb_connection_has_error(c)) return 2;
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xfixes);
  if (!ext || !ext->present) return 2;
  const uint32_t version[2] = {4, 0};
  uint8_t* v = Ask(c, 0, version, 2);  // QueryVersion comes first
  if (!v) return 2;
  std::free(v);
  uint8_t* image = Ask(c, 4, nullptr, 0);  // GetCursorImage
  if (!image) return 2;
  uint16_t width = *reinterpret_cast<uint16_t*>(image + 12);
  uint16_t height = *reinterpret_cast<uint16_t*>(image + 14);
  const uint32_t* pixels = reinterpret_cast<const uint32_t*>(image + 32);
  bool blank = true;
  for (int i = 0; i < width * height; ++i)
    if (pixels[i] >> 24) blank = false;
  std::printf("%s\n", blank ? "blank" : "visible");
  std::free(image);
  xcb_disconnect(c);
  return 0;
}
