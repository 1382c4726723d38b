#include "platform/WinDir.h"

#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

namespace {

// The user's own folder: HOME, else the home of the user's account entry.
std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  const struct passwd* account = getpwuid(getuid());
  return account && account->pw_dir ? account->pw_dir : "";
}

std::string DefaultFolder() {
  // A relative folder would move with the working folder: it is ignored.
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && *data == '/') return std::string(data) + "/zentravo";
  std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/.local/share/zentravo";
}

std::string Backslashes(std::string path) {
  for (char& c : path) if (c == '/') c = '\\';
  return path;
}

}  // namespace

std::string WindowsDirectoryHostPath() {
  const char* over = std::getenv(kWinDirVariable);
  std::string dir = (over && *over) ? over : DefaultFolder();
  // A trailing separator, ours or the program's, is no part of the name.
  while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
  return dir;
}

unsigned GetWindowsDirectoryA(char* buffer, unsigned size) {
  std::string dir = Backslashes(WindowsDirectoryHostPath());
  if (dir.size() + 1 > size) return static_cast<unsigned>(dir.size() + 1);
  std::memcpy(buffer, dir.c_str(), dir.size() + 1);
  return static_cast<unsigned>(dir.size());
}

std::string HostPath(std::string_view programPath) {
  // A path inside the Windows directory keeps the directory's own name as it
  // is, backslashes and all; only the part below it is converted.
  std::string hostDir = WindowsDirectoryHostPath();
  std::string dir = Backslashes(hostDir);
  std::string rest(programPath);
  if (!dir.empty() && programPath.substr(0, dir.size()) == dir &&
      (programPath.size() == dir.size() || programPath[dir.size()] == '\\' || dir.back() == '\\')) {
    rest = programPath.substr(dir.size());
  } else {
    hostDir.clear();
  }
  for (char& c : rest) if (c == '\\') c = '/';
  return hostDir + rest;
}

std::string ProfileHostPath(std::string_view fileName) {
  if (fileName.find_first_of("/\\") == std::string_view::npos)
    return WindowsDirectoryHostPath() + "/" + std::string(fileName);
  return HostPath(fileName);
}
