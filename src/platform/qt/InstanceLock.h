#pragma once
// Tells whether another instance of the program runs for the same user. Every
// instance holds a shared lock on one file of the per-user folder for its
// whole life, so each of them counts, whichever started first; a crash
// releases the lock with the process. The lock file is made only as a plain
// file of the folder, never through a link; anything else at its name counts
// as another instance, with a line on stderr naming what to remove.
#include <string>

class InstanceLock {
 public:
  // Takes the lock in `folder`, noting first whether anybody else holds it.
  explicit InstanceLock(const std::string& folder);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  bool OthersRunning() const { return othersRunning_; }

 private:
  int fd_ = -1;
  bool othersRunning_ = false;
};
