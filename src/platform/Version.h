#pragma once
#include <cstdint>

// The operating-system version record, laid out as the callers expect it.
struct OSVERSIONINFOA {
  uint32_t dwOSVersionInfoSize;
  uint32_t dwMajorVersion;
  uint32_t dwMinorVersion;
  uint32_t dwBuildNumber;
  uint32_t dwPlatformId;
  char szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFOA) == 148);

inline constexpr uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr uint32_t VER_PLATFORM_WIN32_NT = 2;

// This system reports the NT family: it has no system-key lock to set.
bool GetVersionExA(OSVERSIONINFOA* info);
