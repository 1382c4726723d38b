#include <gtest/gtest.h>

#include <QPainter>
#include <filesystem>

#include "platform/Forms.h"
#include "platform/fake/FakeBackend.h"
#include "preview/Preview.h"
#include "preview/PreviewScreen.h"
#include "startup/BugReportForm.h"
#include "startup/Starter.h"
#include "startup/System.h"
#include "tests/common/TempWinDir.h"

namespace {

// A strip of 20 frames of 100 x 75 pixels, each a solid colour of its own,
// so a pixel tells which frame was drawn.
QRgb FrameColour(int k) { return qRgb(10 + 10 * k, 240 - 10 * k, (37 * k) % 256); }

// The frame whose colour `pixel` has; -1 for none (black, for instance).
int FrameOf(QRgb pixel) {
  for (int k = 0; k < 20; ++k)
    if ((pixel & 0xFFFFFF) == (FrameColour(k) & 0xFFFFFF)) return k;
  return -1;
}

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

  std::string StripPath() const { return dir.Path() + "/Zentravo/Zorvik_The_Vexling/" + Starter::kPreviewStrip; }
  void InstallStrip() {
    QImage strip(2000, 75, QImage::Format_RGB32);
    for (int k = 0; k < 20; ++k) QPainter(&strip).fillRect(100 * k, 0, 100, 75, QColor(FrameColour(k)));
    ASSERT_TRUE(strip.save(QString::fromStdString(StripPath()), "BMP"));
  }

  void RunWith(const std::string& commandLine) {
    Starter::CmdLine = commandLine;
    Starter::Run_Preview();
  }

  bool ErrorShown() { return vb::FormInstance<BugReportForm>().isVisible(); }
};

// A parent of 0 stands for a number beyond 32 bits, reported as an overflow.
TEST_F(Preview, ParentIsTheNumberAtTheEndOfTheLine) {
  struct Case {
    std::string line;
    int32_t parent;
  };
  const std::string noise(8 << 20, 'a');  // a line this long is still read in one pass
  const Case cases[] = {
      {"/p 1234", 1234},     {"/p:1234", 1234},               {"/p 7 8", 8},
      {"/p 2.5", 2},         {"/p 3.5", 4},                   {"/p 1e3", 1000},
      {"/p  42  ", 42},      {"/p 0x1fffffff", 0x1fffffff},   {"/p 0x00000000000010", 16},
      {"/p 2147483648", 0},  {"/p 0xFFFFFFFF", 0},            {"/p 0x100000000", 0},
      {"/p " + noise + " 0x2a", 42},
  };
  InstallStrip();
  for (const Case& c : cases) {
    Starter::hPreviewParent = 0;
    vb::FormInstance<BugReportForm>().Hide();
    host.foreignRects[static_cast<uint32_t>(c.parent)] = RECT{0, 0, 152, 112};
    RunWith(c.line);
    EXPECT_EQ(Starter::hPreviewParent, c.parent) << c.line.substr(0, 40);
    EXPECT_EQ(ErrorShown(), c.parent == 0) << c.line.substr(0, 40);
  }
  EXPECT_EQ(vb::FormInstance<BugReportForm>().Caption(), "Error Code: VORN- 6-Starter/Run_Preview");
}

TEST_F(Preview, WithoutAWindowToShowInItEndsAtOnce) {
  for (const char* line : {"/p", "/p 0", "/p abc", "/p 12abc", "/p 0x", "/p -12", "/p 555", ""}) {
    host.calls.clear();
    vb::ResetFormsForTests();
    EXPECT_THROW(RunWith(line), ProcessEnded) << line;
    EXPECT_FALSE(vb::FormInstance<PreviewScreen>().isVisible()) << line;
    EXPECT_EQ(host.CallsStartingWith("EndProcess"), std::vector<std::string>{"EndProcess 0"}) << line;
  }
  EXPECT_FALSE(ErrorShown());
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
    std::vector<int> drawn;
    for (int tick = 0; tick < 21; ++tick) {
      window.previewtimer_Timer();
      drawn.push_back(FrameOf(box.pixel(50, 37)));
    }
    EXPECT_EQ(drawn, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 1, 2}));
    EXPECT_EQ(FrameOf(box.pixel(99, 74)), 2);
  }
}

// A strip file that is missing (or no bitmap: the same) draws nothing; one of
// another size copies what it holds and nothing from beyond its edge. Neither
// is reported.
TEST_F(Preview, MissingBrokenOrShortStripDrawsWhatItHoldsAndKeepsTicking) {
  // The frame drawn first at the middle of the box, and the pixel right of it.
  auto firstDrawn = [](const char* strip) {
    Starter::X_LoadPics4Preview();
    PreviewScreen window;
    window.previewtimer_Timer();
    EXPECT_EQ(window.Picture().pixel(50, 37) & 0xFFFFFF, 0u) << strip;
    const int frame = FrameOf(window.Picture().pixel(49, 37));
    for (int tick = 0; tick < 25; ++tick) window.previewtimer_Timer();
    return frame;
  };
  EXPECT_EQ(firstDrawn("missing"), -1);
  QImage halfFrame2(250, 75, QImage::Format_RGB32);  // ends half-way through frame 2, the first drawn
  halfFrame2.fill(FrameColour(2));
  ASSERT_TRUE(halfFrame2.save(QString::fromStdString(StripPath()), "BMP"));
  EXPECT_EQ(firstDrawn("short"), 2);
  EXPECT_FALSE(ErrorShown());
}

TEST_F(Preview, RefusedDeviceContextEndsTheRetryWithAReport) {
  SetGdiObjectLimit(GdiObjectCount());
  EXPECT_EQ(System::GenerateDC(Starter::DataPath + Starter::kPreviewStrip), 0u);
  SetGdiObjectLimit(10000);
  ASSERT_TRUE(ErrorShown());
  EXPECT_EQ(vb::FormInstance<BugReportForm>().Caption(), "Error Code: VORN- 7-System/GenerateDC");
}

}  // namespace
