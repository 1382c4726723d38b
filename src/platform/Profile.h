#pragma once
// Profile (ini file) functions. Section and key names match without regard
// to case; blanks around a value are dropped, then quotes that enclose it.
// Only a regular file of a sane size is read; anything else reads as missing.
//
// A write is one read-modify-replace of the whole file under an advisory lock
// (the file's name with ".lock"), so writers in any number of processes never
// tear or mix it: the new text goes to a temporary file of its own, which then
// takes the file's place. The replace keeps the file's permission bits, and a
// symbolic link at the file's name stays a link: the file its chain of links
// ends in is written, wherever it lies. The lock lies beside the name; the
// temporary file beside the file it replaces, on the same filesystem. No link
// is followed to make either of them. A file that is there but cannot be
// read, a file its owner may not write (EACCES) and a text the next read
// would refuse as too large (EFBIG) are never written.
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Copies the value (or `defaultValue`) into `buffer`, cut to size - 1
// characters and terminated; returns the number of characters copied.
long GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                              char* buffer, long size, const char* fileName);

// Creates the file, the section or the key as needed and replaces an
// existing value. Returns false, with errno set, when the file was left as
// it was.
bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName);

// Sets several keys of one section, in order, in one replace of the file:
// every key is written, or none. Returns 0, or the errno of the step that
// failed, in which case the file is left as it was.
using ProfileKeys = std::vector<std::pair<std::string, std::string>>;
int WritePrivateProfileKeys(const char* section, const ProfileKeys& keys, const char* fileName);

// For tests: called at each step of a file access ("read", "lock", "write",
// "sync", "rename"); a non-zero errno value makes that step fail as if the
// system had refused it. An empty function clears the hook.
void SetProfileFaultForTests(std::function<int(const std::string& step)> fault);
