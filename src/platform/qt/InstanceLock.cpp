#include "platform/qt/InstanceLock.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

int OpenFile(const std::string& path) { return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600); }

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
  fd_ = OpenFile(folder + "/.instance-lock");
  if (fd_ >= 0) {
    // The lock alone is to be had only when no other instance holds its share.
    othersRunning_ = ::flock(fd_, LOCK_EX | LOCK_NB) != 0;
    if (::flock(fd_, LOCK_SH | LOCK_NB) != 0) othersRunning_ = true;
  }
  if (guard >= 0) ::close(guard);
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}
