#include "platform/VbConv.h"

#include <cctype>
#include <cmath>
#include <limits>

#include "platform/VbError.h"

namespace vb {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a decimal number from the start of `s` (no blanks inside).
// Returns the number of characters used, 0 when there is no number.
size_t ScanDecimal(std::string_view s, double* out) {
  size_t i = 0;
  std::string text;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) text += s[i++];
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) { text += s[i++]; ++digits; }
  if (i < s.size() && s[i] == '.') {
    text += s[i++];
    while (i < s.size() && IsDigit(s[i])) { text += s[i++]; ++digits; }
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
    size_t expDigits = 0;
    while (j < s.size() && IsDigit(s[j])) { exponent += s[j++]; ++expDigits; }
    if (expDigits > 0) { text += exponent; i = j; }
  }
  if (out) *out = std::strtod(text.c_str(), nullptr);
  return i;
}

double ScanRadix(std::string_view s, int radix) {
  double value = 0;
  for (char c : s) {
    int d;
    if (IsDigit(c)) d = c - '0';
    else if (radix == 16 && std::isxdigit(static_cast<unsigned char>(c))) d = std::tolower(c) - 'a' + 10;
    else break;
    if (d >= radix) break;
    value = value * radix + d;
  }
  return value;
}

}  // namespace

double Val(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text) if (!IsBlank(c)) s += c;
  if (s.size() >= 2 && s[0] == '&') {
    char p = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
    if (p == 'H') return ScanRadix(std::string_view(s).substr(2), 16);
    if (p == 'O') return ScanRadix(std::string_view(s).substr(2), 8);
  }
  double value = 0;
  return ScanDecimal(s, &value) ? value : 0.0;
}

double RoundHalfEven(double value) { return std::nearbyint(value); }  // default mode: to even

int16_t CInt(double value) {
  double r = RoundHalfEven(value);
  if (!(r >= -32768.0 && r <= 32767.0)) Raise(errOverflow);
  return static_cast<int16_t>(r);
}

int32_t CLng(double value) {
  double r = RoundHalfEven(value);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) Raise(errOverflow);
  return static_cast<int32_t>(r);
}

bool IsDecimalNumber(std::string_view text) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  return ScanDecimal(t, nullptr) == t.size();
}

int32_t CLngText(std::string_view text) {
  std::string t = Trim(text);
  if (!IsDecimalNumber(t)) Raise(errTypeMismatch);
  double value = 0;
  ScanDecimal(t, &value);
  return CLng(value);
}

std::string Str(long value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string LCase(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Trim(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  return std::string(text.substr(b, e - b));
}

}  // namespace vb
