#include "platform/Profile.h"

#include <cstdio>
#include <filesystem>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "platform/IniText.h"
#include "platform/WinDir.h"

namespace {

bool ReadWholeFile(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buf;
  buf << in.rdbuf();
  *text = buf.str();
  return true;
}

// Writes a new file beside the old one, flushes it to disk and renames it
// over the old one, so a crash or a full disk never leaves a torn file.
bool ReplaceFile(const std::string& path, const std::string& text) {
  std::string temp = path + ".new";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  ok = std::fflush(f) == 0 && ok;
  ok = fsync(fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

long GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                              char* buffer, long size, const char* fileName) {
  if (!buffer || size <= 0) return 0;
  std::string text, value = defaultValue ? defaultValue : "";
  if (section && key && fileName && ReadWholeFile(ProfileHostPath(fileName), &text)) {
    if (auto found = ini::Find(text, section, key)) value = *found;
  }
  long n = std::min<long>(static_cast<long>(value.size()), size - 1);
  std::memcpy(buffer, value.data(), static_cast<size_t>(n));
  buffer[n] = '\0';
  return n;
}

bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName) {
  if (!section || !key || !value || !fileName) return false;
  const std::string path = ProfileHostPath(fileName);
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  std::string text;
  ReadWholeFile(path, &text);
  return ReplaceFile(path, ini::Put(text, section, key, value));
}
