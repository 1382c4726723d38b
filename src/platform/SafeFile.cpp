#include "platform/SafeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace safefile {
namespace {

bool Fit(const struct stat& st, uint64_t maxBytes) {
  return S_ISREG(st.st_mode) && st.st_size >= 0 && static_cast<uint64_t>(st.st_size) <= maxBytes;
}

ReadResult Fail(int error) {
  ReadResult result;
  result.status = (error == ENOENT || error == ENOTDIR) ? Status::Missing : Status::Failed;
  result.error = error;
  return result;
}

}  // namespace

ReadResult Read(const std::string& path, uint64_t maxBytes, std::string* text) {
  text->clear();
  // Look before opening: opening some devices has effects of its own.
  struct stat st{};
  if (stat(path.c_str(), &st) != 0) return Fail(errno);
  if (!Fit(st, maxBytes)) return {Status::Unfit, 0, 0};
  // Non-blocking, in case a FIFO took the file's place since the look.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return Fail(errno);
  ReadResult result;
  if (fstat(fd, &st) != 0) {
    result = Fail(errno);
  } else if (!Fit(st, maxBytes)) {
    result.status = Status::Unfit;
  } else {
    result.status = Status::Read;
    result.mode = st.st_mode & 07777;
    char chunk[65536];
    for (;;) {
      ssize_t n = read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result = Fail(errno);
        break;
      }
      if (n == 0) break;
      text->append(chunk, static_cast<size_t>(n));
      if (text->size() > maxBytes) {  // it grew while being read
        result.status = Status::Unfit;
        break;
      }
    }
  }
  close(fd);
  if (result.status != Status::Read) text->clear();
  return result;
}

bool Unfit(const std::string& path, uint64_t maxBytes) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && !Fit(st, maxBytes);
}

bool Regular(const std::string& path) {
  constexpr uint64_t kAnySize = ~uint64_t{0};
  struct stat st{};
  if (stat(path.c_str(), &st) != 0 || !Fit(st, kAnySize)) return false;
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool regular = fstat(fd, &st) == 0 && Fit(st, kAnySize);
  close(fd);
  return regular;
}

}  // namespace safefile
