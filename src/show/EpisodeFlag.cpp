// "Flag The Planet": Zorvik carries his flag across the screen in one of
// three lanes, the other way each run, and now and then stops at mid-screen
// to plant it and speak.
#include "platform/Forms.h"
#include "platform/Runtime.h"
#include "show/ScreenSaver.h"

void ScreenSaver::PlayEpisodeFlag() {
  Wait4Sec();
  imgflag.SetLeft(vb::Screen::Width());

  vb::Randomize();
  const int16_t lane = static_cast<int16_t>(vb::Rnd() * 3.0f + 1.0f);
  switch (lane) {
    case 1:  // the standing pose will touch the top edge
      imgflag.SetTop(stand.Height() - imgflag.Height());
      break;
    case 2:
      imgflag.SetTop(vb::Screen::Height() / 2 - lefty[1].Height() * 0.5f);
      break;
    default:  // walking on the bottom edge
      imgflag.SetTop(vb::Screen::Height() - lefty[1].Height());
      break;
  }
  imgflag.SetVisible(true);

  const bool rightward = FlagDirection == 0;
  const std::vector<Image>& frames = rightward ? righty : lefty;
  const float step = rightward ? 75.0f : -75.0f;
  // One step: the next frame, its footfall on frame 1, 75 twips, three ticks.
  auto takeStep = [&] {
    FlagFrame = static_cast<int16_t>(FlagFrame + 1);
    if (FlagFrame == 3) FlagFrame = 0;
    imgflag.SetPicture(frames[FlagFrame].Picture());
    if (FlagFrame == 1) PlayEffect("z_step.wav");
    imgflag.SetLeft(imgflag.Left() + step);
    WaitTick();
    WaitTick();
    WaitTick();
  };
  const float frameWidth = frames[0].Width();

  // Approach up to mid-screen.
  if (rightward) {
    imgflag.SetLeft(-imgflag.Width());
    while (imgflag.Left() < vb::Screen::Width() / 2 - frameWidth / 2) takeStep();
  } else {
    imgflag.SetLeft(vb::Screen::Width());
    while (imgflag.Left() > vb::Screen::Width() / 2 - frameWidth / 2) takeStep();
  }

  // One run in two he stops, plants the flag and speaks. The standing pose
  // keeps the walker's bottom edge.
  vb::Randomize();
  if (static_cast<int16_t>(vb::Rnd() * 2.0f + 1.0f) == 1) {
    imgflag.SetVisible(false);
    if (rightward) imgflag.SetLeft(imgflag.Left() + imgflag.Width() - 1.5f * stand.Width());
    imgflag.SetTop(imgflag.Top() - (stand.Height() - imgflag.Height()));
    imgflag.SetPicture(stand.Picture());
    imgflag.SetVisible(true);
    SpeakAtFlag();
    imgflag.SetVisible(false);
    if (rightward) imgflag.SetLeft(imgflag.Left() - (righty[FlagFrame].Width() - stand.Width()));
    imgflag.SetTop(imgflag.Top() + (stand.Height() - frames[FlagFrame].Height()));
    imgflag.SetPicture(frames[FlagFrame].Picture());
    imgflag.SetVisible(true);
  }

  // Walk off at the far edge.
  if (rightward) {
    while (imgflag.Left() < vb::Screen::Width()) takeStep();
    FlagDirection = 1;
  } else {
    while (imgflag.Left() > -imgflag.Width()) takeStep();
    FlagDirection = 0;
  }
  imgflag.SetVisible(false);
}
