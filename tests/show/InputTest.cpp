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

// A button over a shown sprite (a title, the speech box beyond its label) is
// the sprite's; over the background it ends the show.
TEST_F(Input, MouseButtonOverASpriteDoesNotEndTheShowButOverTheBackgroundDoes) {
  ScreenSaver& s = MakeShow();
  host.At(7, [&] {
    ASSERT_TRUE(s.title2.Shows());
    s.MouseDownAt(s.title2.PixelRect().center(), 1, 0);
    s.MouseDownAt(s.title1.PixelRect().topLeft(), 2, 0);
    s.cloud.Move(3000, 3000);
    s.cloud.SetVisible(true);
    s.MouseDownAt(s.cloud.PixelRect().bottomRight(), 1, 0);
  });
  host.At(8, [&] { s.MouseDownAt(s.cloud.PixelRect().bottomRight() + QPoint(1, 1), 1, 0); });
  EXPECT_EQ(Run(), 0);
  EXPECT_DOUBLE_EQ(host.now, 8);
}

TEST_F(Input, ShowWindowDestroyedByAnotherProgramEndsTheShowThroughTheCommonExit) {
  ScreenSaver& s = MakeShow();
  host.At(1.5, [&] { host.DestroyOwn(&s); });
  EXPECT_EQ(Run(), 0);
  EXPECT_DOUBLE_EQ(host.now, 1.5);
  EXPECT_EQ(host.CallsStartingWith("MusicClose").size(), 1u);  // the theme was playing
}

}  // namespace
