// What ends the show, and when.
#include "ShowFixture.h"
#include "platform/User32.h"

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
  // The theme was playing: the common exit stops and closes it.
  std::vector<std::string> music = host.CallsStartingWith("Music");
  EXPECT_EQ(music, (std::vector<std::string>{"MusicOpen " + dir.Path() + "/z_wumble.mid", "MusicPlay",
                                            "MusicStop", "MusicClose"}));
  EXPECT_EQ(host.calls.back(), "EndProcess 0");
}

TEST_F(Input, MouseButtonOverATitleDoesNotEndTheShowButOverTheBackgroundDoes) {
  ScreenSaver& s = MakeShow();
  host.At(7, [&] {
    ASSERT_TRUE(s.title2.Shows());
    s.MouseDownAt(s.title2.PixelRect().center(), 1, 0);
    s.MouseDownAt(s.title1.PixelRect().topLeft(), 2, 0);
  });
  MouseDownAt(8, {5, 5});
  EXPECT_EQ(Run(), 0);
  EXPECT_DOUBLE_EQ(host.now, 8);
}

TEST_F(Input, SpeechBoxTakesTheMouseWhereverItLies) {
  ScreenSaver& s = MakeShow();
  host.At(1, [&] {
    s.cloud.Move(3000, 3000);
    s.cloud.SetVisible(true);
    s.MouseDownAt(s.cloud.PixelRect().bottomRight(), 1, 0);  // outside the label, inside the box
  });
  MouseDownAt(2, s.cloud.PixelRect().bottomRight() + QPoint(1, 1));
  EXPECT_EQ(Run(), 0);
  EXPECT_DOUBLE_EQ(host.now, 2);
}

TEST_F(Input, MouseHandlersActOnlyInShowModeButAKeyAlways) {
  ScreenSaver& s = MakeShow();
  host.At(1, [&] {
    Starter::RunMode = Starter::rmPreview;
    s.MouseDownAt({1, 1}, 1, 0);
    s.Form_Click();
    s.Form_DblClick();
    int16_t ascii = 'a';
    s.Form_KeyPress(ascii);
  });
  PressKeyAt(2);
  EXPECT_EQ(Run(), 0);
  EXPECT_DOUBLE_EQ(host.now, 2);
  Starter::RunMode = Starter::rmScreenSaver;
  MakeShow();
  host.At(host.now + 1, [this] { show->Form_DblClick(); });
  EXPECT_EQ(Run(), 0);
}

TEST_F(Input, LoadShowsTheWindowFullScreenTopmostWithoutPointer) {
  ScreenSaver& s = MakeShow();
  host.At(0.5, [&] {
    EXPECT_TRUE(s.isVisible());
    EXPECT_TRUE(s.isFullScreen());
    EXPECT_TRUE(s.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(s.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(s.cursor().shape(), Qt::BlankCursor);
    EXPECT_FALSE(s.title1.Visible());
    EXPECT_EQ(s.hand1.Top(), host.screenHeight * 15.0f);  // laid out first
  });
  PressKeyAt(1);
  EXPECT_EQ(Run(), 0);
}

TEST_F(Input, ShowWindowDestroyedByAnotherProgramEndsTheShowThroughTheCommonExit) {
  ScreenSaver& s = MakeShow();
  host.At(1.5, [&] { host.DestroyOwn(&s); });
  EXPECT_EQ(Run(), 0);
  EXPECT_DOUBLE_EQ(host.now, 1.5);
  EXPECT_EQ(host.CallsStartingWith("MusicClose").size(), 1u);  // the theme was playing
}

// The whole show mode from its entry: the pointer is hidden while it runs
// and shown again by the exit.
TEST(ShowEntry, RunScreenSaverPlaysUntilInputAndEndsThroughTheCommonExit) {
  TempWinDir dir;
  FakeBackend host;
  Starter::ResetForTests();
  Starter::Settings = {-1, -1, -1, -1, -1, -1, -1, 1.0f};
  std::string data = dir.Path() + "/";
  for (char& c : data)
    if (c == '/') c = '\\';
  Starter::DataPath = data;
  while (CursorDisplayCount() < 0) ShowCursor(-1);  // earlier tests moved the counter
  while (CursorDisplayCount() > 0) ShowCursor(0);
  bool hiddenDuringShow = false;
  host.At(26, [&] {  // in the first episode's opening wait
    hiddenDuringShow = host.pointerHidden;
    ScreenSaver& s = vb::FormInstance<ScreenSaver>();
    int16_t key = 32, shift = 0;
    s.Form_KeyDown(key, shift);
  });
  int code = -1;
  try {
    Starter::Run_ScreenSaver();
  } catch (const ProcessEnded& ended) {
    code = ended.code;
  }
  EXPECT_EQ(code, 0);
  EXPECT_EQ(Starter::RunMode, Starter::rmScreenSaver);
  EXPECT_TRUE(hiddenDuringShow);
  EXPECT_FALSE(host.pointerHidden);
  EXPECT_DOUBLE_EQ(host.now, 26);
}

}  // namespace
