#pragma once
// Tells whether another instance of the program runs for the same user. Every
// instance holds a shared lock on one file of the per-user folder for its
// whole life, so each of them counts, whichever started first; a crash
// releases the lock with the process.
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
