#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Forms.h"
#include "platform/fake/FakeBackend.h"
#include "preview/Preview.h"
#include "preview/PreviewScreen.h"
#include "startup/BugReportForm.h"
#include "startup/Starter.h"
#include "startup/System.h"
#include "tests/common/TempWinDir.h"
#include "tests/preview/StripFixture.h"

namespace {

class Preview : public testing::Test {
 protected:
  TempWinDir dir;
  FakeBackend host;

  void SetUp() override {
    vb::ResetFormsForTests();
    Starter::ResetForTests();
    Starter::ResetPreviewForTests();
    System::GetDiectories();
    std::filesystem::create_directories(dir.Path() + "/Zentravo/Zorvik_The_Vexling");
    System::ErrNumber = 0;
    vb::FormInstance<BugReportForm>().Hide();
  }

  void InstallStrip() {
    ASSERT_TRUE(WriteStrip(dir.Path() + "/Zentravo/Zorvik_The_Vexling/" + Starter::kPreviewStrip));
  }

  void RunWith(const std::string& commandLine) {
    Starter::CmdLine = commandLine;
    Starter::Run_Preview();
  }

  bool ErrorShown() { return vb::FormInstance<BugReportForm>().isVisible(); }
};

TEST_F(Preview, ParentIsTheNumberAtTheEndOfTheLine) {
  struct Case {
    std::string line;
    int32_t parent;
  };
  const std::string noise(8 << 20, 'a');  // a line this long is still read in one pass
  const Case cases[] = {
      {"/p 1234", 1234},           {"/p:1234", 1234},           {"/p 7 8", 8},
      {"/p 2.5", 2},               {"/p 3.5", 4},               {"/p 1e3", 1000},
      {"/p  42  ", 42},            {"/p 0x2a00007", 0x2a00007}, {"/p:0x1f", 31},
      {"/p 0x1fffffff", 0x1fffffff}, {"/p 0x00000000000010", 16}, {"/p " + noise + " 0x2a", 42},
  };
  InstallStrip();
  for (const Case& c : cases) {
    Starter::hPreviewParent = 0;
    host.foreignRects[static_cast<uint32_t>(c.parent)] = RECT{0, 0, 152, 112};
    RunWith(c.line);
    EXPECT_EQ(Starter::hPreviewParent, c.parent) << c.line.substr(0, 40);
  }
  EXPECT_TRUE(host.CallsStartingWith("EndProcess").empty());
  EXPECT_FALSE(ErrorShown());
  // The window becomes a borderless child filling its host, ticking every
  // 170 ms (the end-to-end run sees the frames move, not their pace).
  PreviewScreen& window = vb::FormInstance<PreviewScreen>();
  EXPECT_EQ(host.embedded[&window], 42u);
  EXPECT_EQ(window.geometry(), QRect(0, 0, 152, 112));
  EXPECT_TRUE(window.previewtimer->isActive());
  EXPECT_EQ(window.previewtimer->interval(), 170);
}

TEST_F(Preview, WithoutAWindowToShowInItEndsAtOnce) {
  host.foreignRects[77] = RECT{0, 0, 1024, 768};  // the screen itself, say
  host.noHostWindows.insert(77);
  for (const char* line : {"/p", "/p 0", "/p abc", "/p 12abc", "/p 0x", "/p -12", "/p 555", "/p 77", ""}) {
    host.calls.clear();
    vb::ResetFormsForTests();
    EXPECT_THROW(RunWith(line), ProcessEnded) << line;
    EXPECT_FALSE(vb::FormInstance<PreviewScreen>().isVisible()) << line;
    EXPECT_EQ(host.CallsStartingWith("EndProcess"), std::vector<std::string>{"EndProcess 0"}) << line;
  }
  EXPECT_FALSE(ErrorShown());
}

TEST_F(Preview, NumberBeyond32BitsIsReportedAsOverflow) {
  for (const char* line : {"/p 99999999999", "/p 2147483648", "/p 0x80000000", "/p 0xFFFFFFFF", "/p 0x100000000"}) {
    vb::FormInstance<BugReportForm>().Hide();
    RunWith(line);
    EXPECT_EQ(Starter::hPreviewParent, 0) << line;
    ASSERT_TRUE(ErrorShown()) << line;
    EXPECT_EQ(vb::FormInstance<BugReportForm>().Caption(), "Error Code: VORN- 6-Starter/Run_Preview");
  }
}

// The box is centred in the host, a half rounding to even; only the box has
// a picture of its own, whatever the host's size.
TEST_F(Preview, FramesRunFromTwoRoundTheStripInABoxCentredInTheHost) {
  struct Case {
    RECT rect;
    QPoint at;
  };
  const Case cases[] = {
      {{0, 0, 8000, 8000}, {3950, 3962}},  // 3962.5 goes to 3962
      {{0, 0, 0, 0}, {-50, -38}},          // -37.5 goes to -38
      {{0, 0, 153, 113}, {26, 19}},        // 26.5 goes to 26
      {{10, 20, 165, 130}, {28, 18}},      // only the size counts; 27.5 goes to 28, 17.5 to 18
  };
  InstallStrip();
  Starter::X_LoadPics4Preview();
  for (const Case& c : cases) {
    Starter::PreviewRect = c.rect;
    PreviewScreen window;
    window.resize(c.rect.right - c.rect.left, c.rect.bottom - c.rect.top);
    ASSERT_EQ(window.FrameArea(), QRect(c.at, QSize(100, 75)));
    const QImage& box = window.Picture();
    ASSERT_EQ(box.size(), QSize(100, 75));
    std::vector<int> drawn;
    for (int tick = 0; tick < 21; ++tick) {
      window.previewtimer_Timer();
      drawn.push_back(FrameOf(box.pixel(50, 37)));
    }
    EXPECT_EQ(drawn, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 1, 2}));
    EXPECT_EQ(FrameOf(box.pixel(99, 74)), 2);
  }
  // The window system keeps the rest of the window black.
  EXPECT_EQ(host.CallsStartingWith("PaintBlackBySystem").size(), std::size(cases));
}

TEST_F(Preview, MissingStripReportsNothingAndKeepsTicking) {
  host.foreignRects[77] = RECT{0, 0, 152, 112};
  RunWith("/p 77");
  PreviewScreen& window = vb::FormInstance<PreviewScreen>();
  for (int tick = 0; tick < 25; ++tick) window.previewtimer_Timer();
  EXPECT_TRUE(window.previewtimer->isActive());
  EXPECT_EQ(window.Picture().pixel(50, 37) & 0xFFFFFF, 0u);
  EXPECT_FALSE(ErrorShown());
}

TEST_F(Preview, RefusedDeviceContextEndsTheRetryWithAReport) {
  SetGdiObjectLimit(GdiObjectCount());
  const double before = host.now;
  EXPECT_EQ(System::GenerateDC(Starter::DataPath + Starter::kPreviewStrip), 0u);
  SetGdiObjectLimit(10000);
  ASSERT_TRUE(ErrorShown());
  EXPECT_EQ(vb::FormInstance<BugReportForm>().Caption(), "Error Code: VORN- 7-System/GenerateDC");
  EXPECT_NEAR(host.now - before, (System::kGenerateDCAttempts - 1) * System::kGenerateDCPause, 1e-9);
}

}  // namespace
