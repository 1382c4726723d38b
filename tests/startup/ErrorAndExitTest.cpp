#include "platform/User32.h"
#include "show/ScreenSaver.h"
#include "tests/startup/StartupFixture.h"

namespace {

using ErrorReport = Startup;

// Only in the show does a report bring the pointer back and take the show's
// window down; a second report re-captions the one error window, whose
// message is set in the largest font, down to a small one, in which it fits.
TEST_F(ErrorReport, OnlyInTheShowThePointerComesBackAndTheShowWindowGoesAndTheMessageFits) {
  Starter::RunMode = Starter::rmPreview;
  int before = CursorDisplayCount();
  System::ReportError("Starter/Run_Preview");
  EXPECT_EQ(CursorDisplayCount(), before);

  Starter::RunMode = Starter::rmScreenSaver;
  ScreenSaver& show = vb::FormInstance<ScreenSaver>();
  host.At(0, [] { throw ProcessEnded{0}; });  // the show stops at its first pass
  EXPECT_THROW(show.Show(), ProcessEnded);
  before = CursorDisplayCount();
  System::ErrNumber = 13;
  System::ReportError("Starter/Run_ScreenSaver");
  EXPECT_EQ(CursorDisplayCount(), before + 1);
  EXPECT_FALSE(show.isVisible());
  EXPECT_EQ(ErrorWindowCaption(), System::ErrorCaption(13, "Starter/Run_ScreenSaver"));
  EXPECT_TRUE(vb::FormInstance<BugReportForm>().windowFlags() & Qt::WindowStaysOnTopHint);
  const QLabel& label = *vb::FormInstance<BugReportForm>().Label1;
  const int flags = Qt::TextWordWrap | label.alignment();
  EXPECT_LE(label.fontMetrics().boundingRect(label.rect(), flags, label.text()).height(), label.height());
  EXPECT_GE(label.font().pixelSize(), 8);
}

// Closing the error window goes through the common exit, which shows the
// pointer again, stops the theme only while it sounds and closes it in either
// case, so a later open finds the device free. The button opens the bug page
// each time.
TEST_F(ErrorReport, ClosingEndsThroughTheCommonExitAndTheButtonOpensTheBugPageEachTime) {
  dir.Write("theme.mid", "MThd");
  const std::string open = "open \"" + dir.File("theme.mid") + "\" type sequencer alias theme";
  for (double playedFor : {1.0, host.musicLength + 1}) {
    host.calls.clear();
    host.now = 0;
    ASSERT_EQ(Starter::SendMci(open), 0);
    Starter::SendMci("play theme from 0");
    host.now = playedFor;
    System::ErrNumber = 5;
    System::ReportError("Starter/Main");
    BugReportForm& window = vb::FormInstance<BugReportForm>();
    window.Command1->click();
    window.Command1->click();
    EXPECT_EQ(host.CallsStartingWith("OpenDocument").size(), 2u);
    EXPECT_TRUE(window.isVisible());
    const int before = CursorDisplayCount();
    EXPECT_THROW(window.Unload(), ProcessEnded);
    EXPECT_EQ(CursorDisplayCount(), before + 1);
    EXPECT_EQ(host.CallsStartingWith("MusicStop").empty(), playedFor > host.musicLength) << playedFor;
    EXPECT_EQ(host.CallsStartingWith("MusicClose").size(), 1u) << playedFor;
    EXPECT_EQ(host.calls.back(), "EndProcess 0");
  }
}

using Centring = Startup;

TEST_F(Centring, CountsTheFrameAndKeepsTheTopLeftCornerOnScreen) {
  // The screen, the window manager's frame, the window and where it goes.
  const std::tuple<QSize, RECT, QSize, QPoint> cases[] = {
      {{1024, 768}, {4, 23, 4, 5}, {200, 100}, {408, 320}},
      {{300, 200}, {}, {400, 100}, {0, 50}},  // wider than the screen (larger every way: e2e_windows.sh)
  };
  for (const auto& [screen, frame, size, expected] : cases) {
    host.screenWidth = screen.width();
    host.screenHeight = screen.height();
    host.frame = frame;
    vb::Form window;
    window.resize(size);
    System::CenterForm(window);
    EXPECT_EQ(window.pos(), expected) << size.width() << "x" << size.height();
  }
}

}  // namespace
