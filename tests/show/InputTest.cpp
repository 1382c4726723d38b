// What ends the show: a key ends it at once (LoopTest, end to end); a mouse
// button only on the window's own surface.
#include "ShowFixture.h"

namespace {

using Input = ShowFixture;

// The speech box takes a button anywhere over it, beyond its label too.
TEST_F(Input, MouseButtonOverTheSpeechBoxDoesNotEndTheShowButJustBesideItDoes) {
  ScreenSaver& s = MakeShow();
  host.At(7, [&] {
    s.cloud.Move(3000, 3000);
    s.cloud.SetVisible(true);
    s.MouseDownAt(s.cloud.PixelRect().bottomRight(), 1, 0);
  });
  host.At(8, [&] { s.MouseDownAt(s.cloud.PixelRect().bottomRight() + QPoint(1, 1), 2, 0); });
  EXPECT_EQ(Run(), 0);
  EXPECT_DOUBLE_EQ(host.now, 8);
}

}  // namespace
