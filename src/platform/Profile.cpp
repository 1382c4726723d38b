#include "platform/Profile.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "platform/IniText.h"
#include "platform/SafeFile.h"
#include "platform/WinDir.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinks = 40;
// How long a writer waits for another one to finish.
constexpr auto kLockWait = std::chrono::seconds(10);
constexpr auto kLockPoll = std::chrono::milliseconds(10);
constexpr const char* kTempMark = ".tmp-";

std::function<int(const std::string&)>& Fault() {
  static std::function<int(const std::string&)> fault;
  return fault;
}

// errno of an injected fault at `step`, or 0.
int Injected(const char* step) { return Fault() ? Fault()(step) : 0; }

safefile::ReadResult ReadProfile(const std::string& path, std::string* text) {
  if (int error = Injected("read")) {
    text->clear();
    return {safefile::Status::Failed, error, 0};
  }
  return safefile::Read(path, safefile::kMaxSettingsBytes, text);
}

std::string Folder(const std::string& path) {
  std::string folder = fs::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

// The file a chain of symbolic links at `path` ends in (itself when it is no link).
int ResolveLinks(std::string path, std::string* target) {
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat st{};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      *target = path;
      return 0;
    }
    std::string link(4096, '\0');
    ssize_t n = readlink(path.c_str(), link.data(), link.size());
    if (n < 0) return errno;
    if (static_cast<size_t>(n) >= link.size()) return ENAMETOOLONG;
    link.resize(static_cast<size_t>(n));
    path = link.front() == '/' ? link : Folder(path) + "/" + link;
  }
  return ELOOP;
}

// An advisory lock on the file's lock file, held while it lives.
class WriterLock {
 public:
  explicit WriterLock(const std::string& path) {
    if ((error_ = Injected("lock"))) return;
    fd_ = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd_ < 0) {
      error_ = errno;
      return;
    }
    const auto end = std::chrono::steady_clock::now() + kLockWait;
    while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= end) {
        error_ = errno == EINTR ? EWOULDBLOCK : errno;
        return;
      }
      std::this_thread::sleep_for(kLockPoll);
    }
  }
  ~WriterLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
  }
  int Error() const { return error_; }

 private:
  int fd_ = -1;
  int error_ = 0;
};

// Temporary files that an interrupted write left behind. Only writers that
// hold the lock make them, so under the lock every one found is stale.
void RemoveStaleTemps(const std::string& path) {
  const std::string prefix = fs::path(path).filename().string() + kTempMark;
  std::error_code ec;
  for (fs::directory_iterator it(Folder(path), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0)
      unlink(it->path().c_str());
  }
}

mode_t NewFileMode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Writes `text` to a new file beside `target` and renames it over `target`, so
// the file is always either the old text or the new, whole. Beside it, the
// rename never crosses into another filesystem.
int ReplaceFile(const std::string& target, const std::string& text, mode_t mode) {
  std::string temp = target + kTempMark + "XXXXXX";
  int fd = mkostemp(temp.data(), O_CLOEXEC | O_NOFOLLOW);  // created exclusively: never through a link
  if (fd < 0) return errno;
  int error = 0;
  // Runs one step unless an earlier one failed or a fault is injected there.
  auto step = [&](const char* what, auto&& action) {
    if (error) return;
    if ((error = Injected(what))) return;
    errno = 0;
    if (!action()) error = errno ? errno : EIO;
  };
  step("write", [&] { return fchmod(fd, mode) == 0 && WriteAll(fd, text); });
  step("sync", [&] { return fsync(fd) == 0; });
  if (close(fd) != 0 && !error) error = errno;
  step("rename", [&] { return rename(temp.c_str(), target.c_str()) == 0; });
  if (error) {
    unlink(temp.c_str());
    return error;
  }
  // Make the rename itself last.
  int dir = open(Folder(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return 0;
}

}  // namespace

void SetProfileFaultForTests(std::function<int(const std::string& step)> fault) {
  Fault() = std::move(fault);
}

long GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                              char* buffer, long size, const char* fileName) {
  if (!buffer || size <= 0) return 0;
  std::string text, value = defaultValue ? defaultValue : "";
  if (section && key && fileName &&
      ReadProfile(ProfileHostPath(fileName), &text).status == safefile::Status::Read) {
    if (auto found = ini::Find(text, section, key)) value = *found;
  }
  long n = std::min<long>(static_cast<long>(value.size()), size - 1);
  std::memcpy(buffer, value.data(), static_cast<size_t>(n));
  buffer[n] = '\0';
  return n;
}

int WritePrivateProfileKeys(const char* section, const ProfileKeys& keys, const char* fileName) {
  if (!section || !fileName) return EINVAL;
  // The lock stays beside the name, in our own folder; the file that its links
  // end in is read and replaced, through a temporary file beside it.
  const std::string name = ProfileHostPath(fileName);
  std::string path;
  if (int error = ResolveLinks(name, &path)) return error;
  if (safefile::Unfit(path, safefile::kMaxSettingsBytes)) return EINVAL;  // before anything is made
  std::error_code ignored;
  fs::create_directories(Folder(name), ignored);

  WriterLock lock(name);
  if (lock.Error()) return lock.Error();
  RemoveStaleTemps(path);

  std::string text;
  const safefile::ReadResult old = ReadProfile(path, &text);
  mode_t mode = NewFileMode();
  switch (old.status) {
    case safefile::Status::Read: mode = old.mode; break;
    case safefile::Status::Missing: break;
    case safefile::Status::Unfit: return EINVAL;  // what we cannot read, we do not replace
    case safefile::Status::Failed: return old.error ? old.error : EIO;
  }
  // A file its owner may not write is the owner's choice, whoever we run as.
  if (old.status == safefile::Status::Read && (mode & S_IWUSR) == 0) return EACCES;
  for (const auto& [key, value] : keys) text = ini::Put(text, section, key, value);
  // Never write what the next read would refuse.
  if (text.size() > safefile::kMaxSettingsBytes) return EFBIG;
  return ReplaceFile(path, text, mode);
}

bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName) {
  if (!section || !key || !value || !fileName) {
    errno = EINVAL;
    return false;
  }
  int error = WritePrivateProfileKeys(section, {{key, value}}, fileName);
  errno = error;
  return error == 0;
}
