#include "platform/IniText.h"

#include <cctype>

namespace ini {
namespace {

struct Line {
  std::string_view text;   // without its line end
  std::string_view ending; // "\n", "\r\n" or "" for the last line
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string_view::npos) {
      lines.push_back({text.substr(pos), {}});
      break;
    }
    size_t end = nl;
    if (end > pos && text[end - 1] == '\r') --end;
    lines.push_back({text.substr(pos, end - pos), text.substr(end, nl + 1 - end)});
    pos = nl + 1;
  }
  return lines;
}

std::string_view Strip(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The section name when the line is a section header.
std::optional<std::string_view> Header(std::string_view line) {
  std::string_view s = Strip(line);
  if (s.size() < 2 || s.front() != '[') return std::nullopt;
  size_t close = s.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Strip(s.substr(1, close - 1));
}

// The key name and value of a "key=value" line.
std::optional<std::pair<std::string_view, std::string_view>> Entry(std::string_view line) {
  std::string_view s = Strip(line);
  if (s.empty() || s.front() == ';') return std::nullopt;
  size_t eq = s.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return std::make_pair(Strip(s.substr(0, eq)), Strip(s.substr(eq + 1)));
}

// Some editors start a UTF-8 file with a byte-order mark; it is no part of
// the first line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view WithoutMark(std::string_view text) {
  return text.substr(0, kByteOrderMark.size()) == kByteOrderMark ? text.substr(kByteOrderMark.size()) : text;
}

// A value enclosed in matching quotes, without them.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

std::optional<std::string> Find(std::string_view text, std::string_view section,
                                std::string_view key) {
  // Only the first section of the name counts, as for Put.
  bool inSection = false, seen = false;
  for (const Line& line : SplitLines(WithoutMark(text))) {
    if (auto name = Header(line.text)) {
      inSection = !seen && SameName(*name, Strip(section));
      seen = seen || inSection;
      continue;
    }
    if (!inSection) continue;
    auto entry = Entry(line.text);
    if (entry && SameName(entry->first, Strip(key))) return std::string(Unquote(entry->second));
  }
  return std::nullopt;
}

namespace {

// Put on a text without its byte-order mark.
std::string PutUnmarked(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
  const std::vector<Line> lines = SplitLines(text);
  // A line break inside a value would start a new line of the file.
  std::string oneLine(value);
  for (char& c : oneLine) if (c == '\r' || c == '\n') c = ' ';
  const std::string newEntry = std::string(Strip(key)) + "=" + oneLine;
  std::string_view eol = "\n";
  for (const Line& line : lines)
    if (!line.ending.empty()) { eol = line.ending; break; }

  // Where the section starts and where its last non-blank line ends.
  std::optional<size_t> header, lastInSection;
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (auto name = Header(lines[i].text)) {
      inSection = !header && SameName(*name, Strip(section));
      if (inSection) header = i;
      continue;
    }
    if (!inSection) continue;
    if (!Strip(lines[i].text).empty()) lastInSection = i;
    auto entry = Entry(lines[i].text);
    if (entry && SameName(entry->first, Strip(key))) {
      std::string out;
      for (size_t j = 0; j < lines.size(); ++j) {
        out += j == i ? std::string_view(newEntry) : lines[j].text;
        out += lines[j].ending;
      }
      return out;
    }
  }

  std::string out;
  if (!header) {
    out = text;
    if (!out.empty() && out.back() != '\n') out += eol;
    out += "[" + std::string(Strip(section)) + "]";
    out += eol;
    out += newEntry;
    out += eol;
    return out;
  }
  size_t after = lastInSection.value_or(*header);
  for (size_t j = 0; j < lines.size(); ++j) {
    out += lines[j].text;
    out += lines[j].ending.empty() && j == after ? eol : lines[j].ending;
    if (j == after) {
      out += newEntry;
      out += eol;
    }
  }
  return out;
}

}  // namespace

std::string Put(std::string_view text, std::string_view section, std::string_view key,
                std::string_view value) {
  // One mark stays where it was, in front of everything; what follows it is
  // the text, even a second mark.
  const std::string_view body = WithoutMark(text);
  return std::string(text.substr(0, text.size() - body.size())) + PutUnmarked(body, section, key, value);
}

}  // namespace ini
