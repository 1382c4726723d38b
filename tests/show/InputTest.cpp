// What ends the show, and when.
#include "ShowFixture.h"

namespace {

class Input : public ShowFixture {
 protected:
  void SetUp() override {
    ShowFixture::SetUp();
    dir.Write("z_wumble.mid", "MThd");
    Starter::Settings.Intro = -1;
  }
};

TEST_F(Input, KeyDuringTheIntroductionEndsTheShowAtOnceThroughTheCommonExit) {
  PressKeyAt(1.25);
  EXPECT_EQ(Run(), 0);
  EXPECT_DOUBLE_EQ(host.now, 1.25);
  EXPECT_EQ(host.CallsStartingWith("Music"), (std::vector<std::string>{"MusicOpen " + dir.Path() + "/z_wumble.mid",
                                                                       "MusicPlay", "MusicStop", "MusicClose"}));
  EXPECT_EQ(host.calls.back(), "EndProcess 0");
}

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
