#include <gtest/gtest.h>

#include "platform/VbConv.h"

namespace {

// Blanks anywhere are skipped; the period is the only decimal separator.
// The integer conversions are tested where they are used: the speed bar,
// the preview's parent and the password mode's owner.
TEST(Val, ReadsTheLeadingNumber) {
  const std::pair<const char*, double> cases[] = {{" 2 5 ", 25}, {"\t-1", -1}, {".5x", 0.5}, {"1e3", 1000},
                                                  {"1e", 1},     {"&H1F", 31}, {"&o17", 15}, {"-", 0},
                                                  {"1,5", 1}};
  for (auto [text, value] : cases) EXPECT_DOUBLE_EQ(vb::Val(text), value) << text;
}

}  // namespace
