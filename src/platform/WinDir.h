#pragma once
// The Windows directory: a per-user folder that holds the settings file and
// the program's data folder. Paths inside the program are written with
// backslashes; HostPath turns them into paths of this system at the file
// boundary.
#include <string>
#include <string_view>

// Environment variable that overrides the folder (the tests use it).
inline constexpr const char* kWinDirVariable = "ZENTRAVO_WINDIR";

// Copies the folder, written with backslashes and without a trailing one,
// into `buffer` and returns its length (the length needed when it does not fit).
unsigned GetWindowsDirectoryA(char* buffer, unsigned size);

// The folder as a path of this system (forward slashes, no trailing slash).
std::string WindowsDirectoryHostPath();

// A program path (backslashes) as a path of this system.
std::string HostPath(std::string_view programPath);

// A file name as the profile functions take it: a bare name lies in the
// Windows directory; anything with a folder is taken as it stands.
std::string ProfileHostPath(std::string_view fileName);
