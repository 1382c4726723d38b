#pragma once
// Reading the program's own files without trusting what lies at their names:
// only a regular file (links followed) of a sane size is read. A FIFO, a
// device, a folder or a file over the bound reads as missing, so nothing left
// at a settings or data file's name can hang the program or fill its memory.
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace safefile {

// Bounds far above anything the program writes or ships.
inline constexpr uint64_t kMaxSettingsBytes = uint64_t{1} << 20;  // the settings file
inline constexpr uint64_t kMaxDataBytes = uint64_t{16} << 20;     // sounds, theme, pictures

enum class Status {
  Read,     // the whole file is in the text
  Missing,  // nothing at that name
  Unfit,    // not a regular file, or larger than the bound
  Failed,   // there, but could not be read (see `error`)
};

struct ReadResult {
  Status status = Status::Missing;
  int error = 0;    // errno of a failed read
  mode_t mode = 0;  // the permission bits of a file read
};

// Reads the whole file at `path` into `text`; never blocks on a special file.
ReadResult Read(const std::string& path, uint64_t maxBytes, std::string* text);

// True when something other than a regular file of at most `maxBytes` lies
// at `path`. A missing path is not unfit: its reader fails on its own.
bool Unfit(const std::string& path, uint64_t maxBytes);

// True when a regular file (links followed) lies at `path`, looked at and
// opened without blocking: for a file another library opens by its name.
bool Regular(const std::string& path);

}  // namespace safefile
