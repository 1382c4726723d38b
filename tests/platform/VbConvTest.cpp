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

TEST(Val, ReadsTheLeadingNumber) {
  EXPECT_EQ(vb::Val(""), 0);
  EXPECT_EQ(vb::Val("abc"), 0);
  EXPECT_EQ(vb::Val("1abc"), 1);
  EXPECT_EQ(vb::Val(" 2 5 "), 25);  // blanks anywhere are skipped
  EXPECT_EQ(vb::Val("\t-1"), -1);
  EXPECT_DOUBLE_EQ(vb::Val("2.5"), 2.5);
  EXPECT_DOUBLE_EQ(vb::Val(".5x"), 0.5);
  EXPECT_DOUBLE_EQ(vb::Val("1e3"), 1000);
  EXPECT_DOUBLE_EQ(vb::Val("1e"), 1);
  EXPECT_EQ(vb::Val("&H1F"), 31);
  EXPECT_EQ(vb::Val("&o17"), 15);
  EXPECT_EQ(vb::Val("-"), 0);
  EXPECT_EQ(vb::Val("1,5"), 1);  // the period is the only decimal separator
}

TEST(Conversions, RoundHalfToEven) {
  EXPECT_EQ(vb::CInt(1.5), 2);
  EXPECT_EQ(vb::CInt(2.5), 2);
  EXPECT_EQ(vb::CInt(-0.5), 0);
  EXPECT_EQ(vb::CInt(18.5), 18);
  EXPECT_EQ(vb::CLng(-37.5), -38);
}

TEST(Conversions, OverflowAndTypeMismatch) {
  EXPECT_EQ(ErrorOf([] { vb::CInt(32767.4); }), 0);
  EXPECT_EQ(ErrorOf([] { vb::CInt(32767.5); }), vb::errOverflow);
  EXPECT_EQ(ErrorOf([] { vb::CInt(40000); }), vb::errOverflow);
  EXPECT_EQ(ErrorOf([] { vb::CLng(4294967296.0); }), vb::errOverflow);
  EXPECT_EQ(vb::CLngText(" 1234 "), 1234);
  EXPECT_EQ(ErrorOf([] { vb::CLngText(""); }), vb::errTypeMismatch);
  EXPECT_EQ(ErrorOf([] { vb::CLngText("12ab"); }), vb::errTypeMismatch);
  EXPECT_EQ(ErrorOf([] { vb::CLngText("99999999999"); }), vb::errOverflow);
}

TEST(Conversions, DecimalNumberTextAndStr) {
  EXPECT_TRUE(vb::IsDecimalNumber(" 1234"));
  EXPECT_TRUE(vb::IsDecimalNumber("-1.5e3 "));
  EXPECT_FALSE(vb::IsDecimalNumber(":1234x"));
  EXPECT_FALSE(vb::IsDecimalNumber("   "));
  EXPECT_EQ(vb::Str(5), " 5");
  EXPECT_EQ(vb::Str(0), " 0");
  EXPECT_EQ(vb::Str(-3), "-3");
}

}  // namespace
