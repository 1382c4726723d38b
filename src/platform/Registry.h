#pragma once
// A small per-user registry of our own: string and double-word values under
// key paths, kept in the text file "zentravo.reg" in the Windows directory:
//   [HKEY_CURRENT_USER\Control Panel\Desktop]
//   ScreenSaveUsePassword=dword:00000001
//   Wallpaper=sz:some text
#include <cstdint>
#include <string>

using HKEY = uint32_t;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr uint32_t REG_SZ = 1;
inline constexpr uint32_t REG_DWORD = 4;
inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_MORE_DATA = 234;

inline constexpr const char* kRegistryFileName = "zentravo.reg";

long RegOpenKeyA(HKEY root, const char* subKey, HKEY* result);
// `data` receives the value's bytes (a string with its terminating NUL, a
// double word as four little-endian bytes); `size` is the buffer's size in
// and the value's size out.
long RegQueryValueExA(HKEY key, const char* valueName, uint32_t* reserved, uint32_t* type,
                      uint8_t* data, uint32_t* size);
long RegCloseKey(HKEY key);
