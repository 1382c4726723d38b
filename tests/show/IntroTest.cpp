// The Introduction: the theme and the timed titles.
#include "ShowFixture.h"
#include "platform/Forms.h"
#include "platform/WinMM.h"

namespace {

class Intro : public ShowFixture, public testing::WithParamInterface<bool> {};

// With or without the theme file; the sound off does not keep the theme quiet.
TEST_P(Intro, TitlesComeAtThreeAndSixGoTogetherAtTwentyOneAndItReturnsAtTwentyFour) {
  const bool theme = GetParam();
  if (theme) dir.Write("z_wumble.mid", "MThd");
  Starter::Settings.Sound = 0;
  Stage();
  std::string seen;
  for (double t : {2.999, 3.001, 5.999, 6.001, 20.999, 21.001, 23.9})
    host.At(t, [&] {
      seen += std::string(show->title1.Visible() ? "1" : "-") + (show->title2.Visible() ? "2 " : "- ");
    });
  const int forms = vb::LoadedFormCount();
  Probe().PlayEpisodeIntro();
  EXPECT_NEAR(host.now, 24.0, 1e-9);
  EXPECT_EQ(seen, "-- 1- 1- 12 12 -- -- ");
  EXPECT_EQ(vb::LoadedFormCount(), forms) << "an error window was shown";
  const QRect t1 = show->title1.PixelRect(), t2 = show->title2.PixelRect();  // centred, one over the other
  EXPECT_EQ(std::tuple(t1.center().x(), t2.center().x(), t2.top()), std::tuple(512, 512, t1.bottom() + 1));
  EXPECT_NEAR((t1 | t2).center().y(), 384, 1);
  if (!theme) {
    EXPECT_FALSE(host.musicOpen);
    return;
  }
  EXPECT_DOUBLE_EQ(host.musicStartedAt, 0);  // the calls themselves: DataFilesTest
  char reply[256];
  EXPECT_EQ(mciSendStringA("status theme mode", reply, 255, 0), 0u) << "the device stays open";
}

INSTANTIATE_TEST_SUITE_P(Theme, Intro, testing::Bool());

}  // namespace
