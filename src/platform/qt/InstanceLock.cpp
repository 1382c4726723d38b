#include "platform/qt/InstanceLock.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Opens (making it if need be) one of our own files; never through a link,
// and never blocking on whatever else may lie at the name.
int OpenFile(const std::string& path) {
  return ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
}

// True when something other than a plain file lies at `path`.
bool OddThingAt(const std::string& path) {
  struct stat st{};
  return ::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

// Waits a little for an exclusive lock; false when it is not had in time.
bool LockWithin(int fd, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace

InstanceLock::InstanceLock(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  // Instances that start together ask one after the other: between the
  // question and the shared lock nobody else may ask.
  const int guard = OpenFile(folder + "/.instance-guard");
  if (guard >= 0) LockWithin(guard, std::chrono::seconds(2));
  const std::string path = folder + "/.instance-lock";
  fd_ = OpenFile(path);
  struct stat opened{};
  if (fd_ >= 0 && (::fstat(fd_, &opened) != 0 || !S_ISREG(opened.st_mode))) {  // a FIFO or a device
    ::close(fd_);
    fd_ = -1;
  }
  if (fd_ >= 0) {
    // The lock alone is to be had only when no other instance holds its share.
    othersRunning_ = ::flock(fd_, LOCK_EX | LOCK_NB) != 0;
    if (::flock(fd_, LOCK_SH | LOCK_NB) != 0) othersRunning_ = true;
  } else if (OddThingAt(path)) {
    // A link or a folder in the lock's place could let any number of shows
    // run at once: count it as held, and say what to remove.
    othersRunning_ = true;
    std::fprintf(stderr, "zentravo: %s is not a plain file: remove it to let the screen saver start\n",
                 path.c_str());
  }
  if (guard >= 0) ::close(guard);
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}
