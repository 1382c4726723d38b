#pragma once
// Reading the generated data files in tests.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string DataPath(const std::string& name) { return std::string(ZENTRAVO_BUILD_DATA_DIR) + "/" + name; }

inline std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The unsigned number of `n` bytes at `at`, little- or big-endian.
inline uint32_t Number(const std::vector<uint8_t>& b, size_t at, int n, bool bigEndian) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v |= uint32_t(b[at + i]) << 8 * (bigEndian ? n - 1 - i : i);
  return v;
}
inline uint16_t LE16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(Number(b, at, 2, false)); }
inline uint32_t BE32(const std::vector<uint8_t>& b, size_t at) { return Number(b, at, 4, true); }
inline uint16_t BE16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(Number(b, at, 2, true)); }
