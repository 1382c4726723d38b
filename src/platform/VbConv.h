#pragma once
// Conversions of the forms runtime: the number of a value text, rounding half
// to even, and the 16- and 32-bit integer conversions that raise overflow.
#include <cstdint>
#include <string>
#include <string_view>

namespace vb {

// The leading number of a text: blanks, tabs and line feeds anywhere are
// skipped; an optional sign, digits, a period with decimals, an exponent;
// "&H" and "&O" prefixes give hexadecimal and octal integers. No number: 0.
double Val(std::string_view text);

// Rounds to the nearest integer, a half going to the even neighbour.
double RoundHalfEven(double value);

// Integer conversions: rounded half to even; outside the range raises 6.
int16_t CInt(double value);
int32_t CLng(double value);

// Converts a text to a 32-bit integer the way an assignment from text does:
// blanks at either end allowed, the whole text must be a number (else 13),
// out of range raises 6.
int32_t CLngText(std::string_view text);

// True when the whole text, blanks at either end ignored, is a decimal
// number: optional sign, digits, optional period with decimals, optional
// exponent.
bool IsDecimalNumber(std::string_view text);

// The decimal text of a number as Str() writes it: a leading blank for zero
// and positive numbers, a minus sign for negative ones.
std::string Str(long value);

std::string LCase(std::string_view text);
std::string Trim(std::string_view text);

}  // namespace vb
