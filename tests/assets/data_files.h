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
