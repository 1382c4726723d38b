#pragma once
// The text of an ini file as lines, with the look-up and the edit that the
// profile functions need. Kept apart from the file access so it can be tested
// (and fuzzed) on its own.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ini {

// The value of `key` in `section`, blanks around it dropped and then quotes
// that enclose it; nothing when the file has no such section or key. Names
// match without regard to case; of two sections with the same name only the
// first counts, for Find and Put alike. A UTF-8 byte-order mark at the start
// is skipped, and Put keeps it.
std::optional<std::string> Find(std::string_view text, std::string_view section,
                                std::string_view key);

// The text with `key` in `section` set to `value`: the first matching key is
// replaced, or the key is added at the end of the section, or the section is
// added at the end of the file. Every other line stays byte for byte.
std::string Put(std::string_view text, std::string_view section, std::string_view key,
                std::string_view value);

}  // namespace ini
