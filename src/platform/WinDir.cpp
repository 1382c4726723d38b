#include "platform/WinDir.h"

#include <cstdlib>
#include <cstring>

namespace {

std::string DefaultFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && *data) return std::string(data) + "/zentravo";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.local/share/zentravo";
}

}  // namespace

std::string WindowsDirectoryHostPath() {
  const char* over = std::getenv(kWinDirVariable);
  std::string dir = (over && *over) ? over : DefaultFolder();
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

unsigned GetWindowsDirectoryA(char* buffer, unsigned size) {
  std::string dir = WindowsDirectoryHostPath();
  for (char& c : dir) if (c == '/') c = '\\';
  if (dir.size() + 1 > size) return static_cast<unsigned>(dir.size() + 1);
  std::memcpy(buffer, dir.c_str(), dir.size() + 1);
  return static_cast<unsigned>(dir.size());
}

std::string HostPath(std::string_view programPath) {
  std::string path(programPath);
  for (char& c : path) if (c == '\\') c = '/';
  return path;
}

std::string ProfileHostPath(std::string_view fileName) {
  std::string path = HostPath(fileName);
  if (path.find('/') == std::string::npos) return WindowsDirectoryHostPath() + "/" + path;
  return path;
}
