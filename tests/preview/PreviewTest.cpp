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
  std::string dataFolder;

  void SetUp() override {
    vb::ResetFormsForTests();
    Starter::ResetForTests();
    Starter::ResetPreviewForTests();
    System::GetDiectories();
    dataFolder = dir.Path() + "/Zentravo/Zorvik_The_Vexling";
    std::filesystem::create_directories(dataFolder);
    System::ErrNumber = 0;
    vb::FormInstance<BugReportForm>().Hide();
  }

  void InstallStrip() { ASSERT_TRUE(WriteStrip(dataFolder + "/" + Starter::kPreviewStrip)); }

  void RunWith(const std::string& commandLine) {
    Starter::CmdLine = commandLine;
    Starter::Run_Preview();
  }

  bool ErrorShown() { return vb::FormInstance<BugReportForm>().isVisible(); }
  std::string ErrorShownCaption() { return vb::FormInstance<BugReportForm>().Caption(); }
};

TEST_F(Preview, ParentIsTheNumberAtTheEndOfTheLine) {
  struct Case {
    const char* line;
    int32_t parent;
  };
  const Case cases[] = {
      {"/p 1234", 1234}, {"/p:1234", 1234}, {"/p", 0},        {"/p abc", 0},  {"/p 12abc", 0},
      {"/p 7 8", 8},     {"/p 2.5", 2},     {"/p 3.5", 4},     {"/p -12", -12}, {"/p 1e3", 1000},
      {"", 0},           {"/p  42  ", 42},
  };
  for (const Case& c : cases) {
    Starter::hPreviewParent = 0;
    RunWith(c.line);
    EXPECT_EQ(Starter::hPreviewParent, c.parent) << c.line;
    EXPECT_EQ(Starter::RunMode, Starter::rmPreview);
  }
  EXPECT_FALSE(ErrorShown());
}

TEST_F(Preview, NumberBeyond32BitsIsReportedAsOverflow) {
  RunWith("/p 99999999999");
  EXPECT_EQ(Starter::hPreviewParent, 0);
  ASSERT_TRUE(ErrorShown());
  EXPECT_EQ(ErrorShownCaption(), System::ErrorCaption(6, "Starter/Run_Preview"));
  EXPECT_EQ(ErrorShownCaption(), "Error Code: VORN- 6-Starter/Run_Preview");
}

TEST_F(Preview, WindowBecomesABorderlessChildFillingTheHost) {
  InstallStrip();
  host.foreignRects[1234] = RECT{0, 0, 152, 112};
  RunWith("/p 1234");
  PreviewScreen& window = vb::FormInstance<PreviewScreen>();
  EXPECT_EQ(host.CallsStartingWith("EmbedInForeign"), std::vector<std::string>{"EmbedInForeign 1234"});
  EXPECT_EQ(host.embedded[&window], 1234u);
  EXPECT_EQ(Starter::PreviewRect.right, 152);
  EXPECT_EQ(Starter::PreviewRect.bottom, 112);
  EXPECT_EQ(window.size(), QSize(152, 112));
  EXPECT_EQ(window.pos(), QPoint(0, 0));
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.IsLoaded());
  EXPECT_EQ(window.Caption(), "Preview");
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(window.style & 0x40000000, 0x40000000);
  EXPECT_EQ(window.owner, 1234u);
  EXPECT_TRUE(window.previewtimer->isActive());
  EXPECT_EQ(window.previewtimer->interval(), 170);
  EXPECT_NE(Starter::PreviewDC, 0u);
  EXPECT_FALSE(ErrorShown());
}

TEST_F(Preview, FrameIsCentredRoundingHalvesToEven) {
  struct Case {
    RECT rect;
    int32_t x, y;
  };
  const Case cases[] = {
      {{0, 0, 152, 112}, 26, 18},    // 18.5 goes to 18
      {{0, 0, 0, 0}, -50, -38},      // -37.5 goes to -38
      {{0, 0, 153, 113}, 26, 19},    // 26.5 goes to 26
      {{0, 0, 155, 110}, 28, 18},    // 27.5 goes to 28, 17.5 to 18
      {{10, 20, 162, 132}, 26, 18},  // only the size counts
      {{0, 0, 60, 40}, -20, -18},    // smaller than a frame
  };
  for (const Case& c : cases) {
    Starter::PreviewRect = c.rect;
    PreviewScreen window;
    EXPECT_EQ(Starter::PicX, c.x) << c.rect.right << "x" << c.rect.bottom;
    EXPECT_EQ(Starter::PicY, c.y) << c.rect.right << "x" << c.rect.bottom;
    EXPECT_EQ(Starter::PreviewFrame, 1);
    EXPECT_EQ(Starter::FrameW, 100);
    EXPECT_EQ(Starter::FrameH, 75);
    EXPECT_EQ(Starter::FrameCount, 20);
  }
}

TEST_F(Preview, FramesRunFromTwoRoundTheStripAndStayAfterARepaint) {
  InstallStrip();
  Starter::X_LoadPics4Preview();
  Starter::PreviewRect = RECT{0, 0, 152, 112};
  PreviewScreen window;
  window.resize(152, 112);
  EXPECT_TRUE(IsBlack(window.Picture().pixel(76, 55)));  // black until the first tick
  std::vector<int> drawn;
  for (int tick = 0; tick < 21; ++tick) {
    window.previewtimer_Timer();
    drawn.push_back(FrameOf(window.Picture().pixel(76, 55)));
  }
  const std::vector<int> expected = {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                     13, 14, 15, 16, 17, 18, 19, 0,  1,  2};
  EXPECT_EQ(drawn, expected);
  const QImage picture = window.Picture();
  EXPECT_EQ(FrameOf(picture.pixel(26, 18)), 2);
  EXPECT_EQ(FrameOf(picture.pixel(125, 92)), 2);
  for (QPoint outside : {QPoint(25, 18), QPoint(126, 92), QPoint(26, 17), QPoint(26, 93), QPoint(0, 0),
                         QPoint(151, 111)})
    EXPECT_TRUE(IsBlack(picture.pixel(outside))) << outside.x() << "," << outside.y();
  // A repaint shows the frame drawn last.
  const QImage shown = window.grab().toImage();
  EXPECT_EQ(FrameOf(shown.pixel(76, 55)), 2);
  EXPECT_TRUE(IsBlack(shown.pixel(10, 10)));
}

TEST_F(Preview, MissingStripReportsNothingAndKeepsTicking) {
  host.foreignRects[77] = RECT{0, 0, 152, 112};
  RunWith("/p 77");
  EXPECT_NE(Starter::PreviewDC, 0u);
  EXPECT_TRUE(vb::FormInstance<PreviewScreen>().previewtimer->isActive());

  PreviewScreen window;
  window.resize(152, 112);
  window.Load();
  for (int tick = 0; tick < 25; ++tick) window.previewtimer_Timer();
  EXPECT_EQ(Starter::PreviewFrame, 6);
  EXPECT_TRUE(window.previewtimer->isActive());
  for (QPoint p : {QPoint(26, 18), QPoint(76, 55), QPoint(125, 92)})
    EXPECT_TRUE(IsBlack(window.Picture().pixel(p)));
  EXPECT_FALSE(ErrorShown());
  EXPECT_EQ(System::ErrNumber, 0);
}

TEST_F(Preview, RefusedDeviceContextEndsTheRetryWithAReport) {
  SetGdiObjectLimit(GdiObjectCount());
  const double before = host.now;
  EXPECT_EQ(System::GenerateDC(Starter::DataPath + Starter::kPreviewStrip), 0u);
  SetGdiObjectLimit(10000);
  ASSERT_TRUE(ErrorShown());
  EXPECT_EQ(ErrorShownCaption(), "Error Code: VORN- 7-System/GenerateDC");
  EXPECT_NEAR(host.now - before, (System::kGenerateDCAttempts - 1) * System::kGenerateDCPause, 1e-9);
}

TEST_F(Preview, HostDestroyingItsWindowEndsTheProcess) {
  InstallStrip();
  host.foreignRects[1234] = RECT{0, 0, 152, 112};
  RunWith("/p 1234");
  host.DestroyForeign(1234);
  try {
    host.ProcessEvents();
    FAIL() << "the process went on";
  } catch (const ProcessEnded& ended) {
    EXPECT_EQ(ended.code, 0);
  }
  EXPECT_EQ(host.CallsStartingWith("EndProcess"), std::vector<std::string>{"EndProcess 0"});
  EXPECT_FALSE(ErrorShown());
}

}  // namespace
