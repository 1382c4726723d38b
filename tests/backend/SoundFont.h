#pragma once
// The sound font the sound tests play with. Without it a test skips, and
// fails under CI, whose setup installs it.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

inline constexpr char kSoundFont[] = "/usr/share/sounds/sf2/TimGM6mb.sf2";

#define NEED_SOUND_FONT()                                                                           \
  if (!std::filesystem::exists(kSoundFont)) {                                                       \
    if (const char* ci = std::getenv("CI"); ci && std::string(ci) == "true") FAIL() << "no sound font " << kSoundFont; \
    GTEST_SKIP() << "no sound font";                                                                \
  }
