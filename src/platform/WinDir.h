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
// into `buffer` and returns its length (the length needed, with the
// terminator, when it does not fit). Returns 0 when the user has no folder:
// none of the variables is set and the account entry names no home.
unsigned GetWindowsDirectoryA(char* buffer, unsigned size);

// The folder as a path of this system (forward slashes, no trailing slash):
// $ZENTRAVO_WINDIR (a trailing slash or backslash dropped), else
// $XDG_DATA_HOME/zentravo when that is an absolute path, else
// <home>/.local/share/zentravo with the home from $HOME or the account entry.
// Empty when there is none.
std::string WindowsDirectoryHostPath();

// A program path (backslashes) as a path of this system. The Windows
// directory at its start stands for the folder's own name, which may itself
// hold backslashes.
std::string HostPath(std::string_view programPath);

// A file name as the profile functions take it: a bare name lies in the
// Windows directory; anything with a folder is taken as it stands.
std::string ProfileHostPath(std::string_view fileName);
