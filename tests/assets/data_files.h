#pragma once
// Reading the generated data files in tests.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string DataPath(const std::string& name)
{
    return std::string(ZENTRAVO_BUILD_DATA_DIR) + "/" + name;
}

inline std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline uint32_t LE32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

inline uint16_t LE16(const std::vector<uint8_t>& b, size_t at)
{
    return uint16_t(b[at] | b[at + 1] << 8);
}

inline uint32_t BE32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | uint32_t(b[at + 3]);
}

inline uint16_t BE16(const std::vector<uint8_t>& b, size_t at)
{
    return uint16_t(b[at] << 8 | b[at + 1]);
}
