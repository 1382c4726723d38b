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

// Opens the file at `path` when it fits: looked at before opening (opening
// some devices has effects of its own) and again once open, without blocking
// (a FIFO may have taken the file's place since the look). -1 and the reason
// in `why` otherwise.
int OpenFit(const std::string& path, uint64_t maxBytes, struct stat* st, ReadResult* why) {
  if (stat(path.c_str(), st) != 0) return *why = Fail(errno), -1;
  if (!Fit(*st, maxBytes)) return *why = {Status::Unfit, 0, 0}, -1;
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return *why = Fail(errno), -1;
  if (fstat(fd, st) != 0) {
    *why = Fail(errno);
  } else if (!Fit(*st, maxBytes)) {
    *why = {Status::Unfit, 0, 0};
  } else {
    return fd;
  }
  close(fd);
  return -1;
}

}  // namespace

ReadResult Read(const std::string& path, uint64_t maxBytes, std::string* text) {
  text->clear();
  struct stat st{};
  ReadResult result;
  const int fd = OpenFit(path, maxBytes, &st, &result);
  if (fd < 0) return result;
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
  close(fd);
  if (result.status != Status::Read) text->clear();
  return result;
}

bool Unfit(const std::string& path, uint64_t maxBytes) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && !Fit(st, maxBytes);
}

bool Regular(const std::string& path) {
  struct stat st{};
  ReadResult why;
  const int fd = OpenFit(path, ~uint64_t{0}, &st, &why);
  if (fd >= 0) close(fd);
  return fd >= 0;
}

}  // namespace safefile
