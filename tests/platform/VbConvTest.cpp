#include <gtest/gtest.h>

#include "platform/VbConv.h"
#include "platform/VbError.h"

namespace {

int ErrorOf(auto&& f) {
  try {
    f();
  } catch (const vb::VbError& e) {
    return e.Number();
  }
  return 0;
}

// Blanks anywhere are skipped; the period is the only decimal separator.
TEST(Val, ReadsTheLeadingNumber) {
  const std::pair<const char*, double> cases[] = {
      {"", 0},      {"abc", 0},    {"1abc", 1},   {" 2 5 ", 25}, {"\t-1", -1}, {"2.5", 2.5}, {".5x", 0.5},
      {"1e3", 1000}, {"1e", 1},    {"&H1F", 31},  {"&o17", 15},  {"-", 0},     {"1,5", 1}};
  for (auto [text, value] : cases) EXPECT_DOUBLE_EQ(vb::Val(text), value) << text;
}

// Str: the error window's caption (ErrorAndExitTest.cpp).
TEST(Conversions, RoundHalfToEvenOverflowAndTypeMismatch) {
  for (auto [in, out] : {std::pair{1.5, 2}, {2.5, 2}, {-0.5, 0}, {18.5, 18}}) EXPECT_EQ(vb::CInt(in), out) << in;
  EXPECT_EQ(vb::CLng(-37.5), -38);
  EXPECT_EQ(ErrorOf([] { vb::CInt(32767.4); }), 0);
  EXPECT_EQ(ErrorOf([] { vb::CInt(32767.5); }), vb::errOverflow);
  EXPECT_EQ(ErrorOf([] { vb::CInt(40000); }), vb::errOverflow);
  EXPECT_EQ(ErrorOf([] { vb::CLng(4294967296.0); }), vb::errOverflow);
  EXPECT_EQ(vb::CLngText(" 1234 "), 1234);
  EXPECT_EQ(ErrorOf([] { vb::CLngText(""); }), vb::errTypeMismatch);
  EXPECT_EQ(ErrorOf([] { vb::CLngText("12ab"); }), vb::errTypeMismatch);
  EXPECT_EQ(ErrorOf([] { vb::CLngText("99999999999"); }), vb::errOverflow);
  for (auto [text, is] : {std::pair{" 1234", true}, {"-1.5e3 ", true}, {":1234x", false}, {"   ", false}})
    EXPECT_EQ(vb::IsDecimalNumber(text), is) << text;
}

}  // namespace
