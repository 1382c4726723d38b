#include <gtest/gtest.h>

#include <memory>

#include "platform/qt/InstanceLock.h"
#include "tests/common/TempWinDir.h"

namespace {

// Locks taken in one process conflict as those of separate processes do.
TEST(InstanceLock, EveryRunningInstanceCountsWhicheverStartedFirst) {
  TempWinDir dir;
  auto start = [&] { return std::make_unique<InstanceLock>(dir.Path()); };
  auto a = start();
  EXPECT_FALSE(a->OthersRunning());
  auto b = start();
  EXPECT_TRUE(b->OthersRunning());
  a.reset();  // the first ends: b still runs
  auto c = start();
  EXPECT_TRUE(c->OthersRunning());
  c.reset();
  EXPECT_TRUE(start()->OthersRunning());
  b.reset();  // the last one ends
  EXPECT_FALSE(start()->OthersRunning());
}

}  // namespace
