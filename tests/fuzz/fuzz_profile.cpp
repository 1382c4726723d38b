// Fuzz target for the settings-file reader and writer and the number of a
// value text: nothing may crash, and a value written must read back.
#include <cstddef>

#include "platform/IniText.h"
#include "platform/VbConv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  (void)vb::Val(input);
  (void)vb::IsDecimalNumber(input);

  // The first line names a section and a key; the rest is the file.
  size_t nl = input.find('\n');
  std::string_view head = input.substr(0, nl == std::string_view::npos ? input.size() : nl);
  std::string_view text = nl == std::string_view::npos ? std::string_view() : input.substr(nl + 1);
  size_t eq = head.find('=');
  std::string section(head.substr(0, eq == std::string_view::npos ? head.size() : eq));
  std::string key(eq == std::string_view::npos ? "k" : head.substr(eq + 1));
  for (char& c : section) if (c == '[' || c == ']' || c == '\r' || c == '\n' || c == '\0') c = '_';
  for (char& c : key) if (c == '=' || c == '[' || c == ';' || c == '\r' || c == '\n' || c == '\0') c = '_';
  if (section.empty() || section.find_first_not_of(" \t") == std::string::npos) section = "S";
  if (key.empty() || key.find_first_not_of(" \t") == std::string::npos) key = "k";

  (void)ini::Find(text, section, key);
  std::string written = ini::Put(text, section, key, "42");
  auto back = ini::Find(written, section, key);
  if (!back || *back != "42") __builtin_trap();
  // A second key in the same section leaves the first as it was.
  written = ini::Put(written, section, key + "2", "'7'");
  back = ini::Find(written, section, key);
  auto second = ini::Find(written, section, key + "2");
  if (!back || *back != "42" || !second || *second != "7") __builtin_trap();
  return 0;
}
