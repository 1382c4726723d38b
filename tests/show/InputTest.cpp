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

// The theme stops only while it plays: here it lasts 10 s.
TEST_F(Input, KeyEndsTheShowAtOnceThroughTheCommonExit) {
  host.musicLength = 10;
  for (double t : {1.25, 40.0}) {
    show.reset();
    host.calls.clear();
    PressKeyAt(host.now + t);
    const double start = host.now;
    EXPECT_EQ(Run(), 0);
    EXPECT_DOUBLE_EQ(host.now - start, t);
    std::vector<std::string> music{"MusicOpen " + dir.Path() + "/z_wumble.mid", "MusicPlay", "MusicStop", "MusicClose"};
    if (t > 10) music.erase(music.begin() + 2);
    EXPECT_EQ(host.CallsStartingWith("Music"), music);
    EXPECT_EQ(host.calls.back(), "EndProcess 0");
  }
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
