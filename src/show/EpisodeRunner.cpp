// "Marathon Runner": the hero runs in from where he left the screen last
// time, runs diagonally, bounces off the edges until a drawn count of 3 to 7
// bounces is reached, and runs straight off again.
#include <cmath>
#include <cstdlib>

#include "platform/Forms.h"
#include "platform/Runtime.h"
#include "show/ScreenSaver.h"

void ScreenSaver::PlayEpisodeRunner() {
  Wait4Sec();

  int16_t RunStepX = 75;
  int16_t RunStepY = 75;
  int16_t RunFrame = 0;
  int16_t Bounces = 0;
  bool Entered = false;
  vb::Randomize();
  const auto MaxBounces = static_cast<int16_t>(std::floor(vb::Rnd() * 5 + 3));

  // The screen's size, read afresh at every test.
  const auto SW = vb::Screen::Width;
  const auto SH = vb::Screen::Height;
  const float dx = static_cast<float>(std::abs(RunStepX));
  const float dy = static_cast<float>(std::abs(RunStepY));
  Image& r = imgSurf;

  auto advanceFrame = [&] {
    if (++RunFrame == 3) RunFrame = 0;
  };
  // Shows the frame of the way it runs, takes one step, one tick.
  auto showAndMove = [&] {
    r.SetPicture((RunStepX > 0 ? righter : lefter)[RunFrame].Picture());
    r.Move(r.Left() + RunStepX, r.Top() + RunStepY);
    WaitTick();
  };
  auto bounce = [&](int16_t& step) {
    step = static_cast<int16_t>(-step);
    ++Bounces;
    PlayEffect("z_boink.wav");
  };

  r.SetVisible(true);

  // Coming in: turns only towards the screen, silently and uncounted.
  while (!Entered) {
    advanceFrame();
    if (r.Left() - dx < 0 && RunStepX < 0) RunStepX = static_cast<int16_t>(-RunStepX);
    if (r.Width() + r.Left() + dx > SW() && RunStepX > 0) RunStepX = static_cast<int16_t>(-RunStepX);
    if (r.Top() - dy < 0 && RunStepY < 0) RunStepY = static_cast<int16_t>(-RunStepY);
    if (r.Height() + r.Top() + dy > SH() && RunStepY > 0) RunStepY = static_cast<int16_t>(-RunStepY);
    showAndMove();
    Entered = r.Left() > dx && r.Width() + r.Left() + dx < SW() && r.Top() > dy && r.Height() + r.Top() + dy < SH();
  }

  // Bouncing: a step that would cross an edge turns instead; a corner counts twice.
  while (Bounces < MaxBounces) {
    advanceFrame();
    if (r.Left() - dx < 0 || r.Width() + r.Left() + dx > SW()) bounce(RunStepX);
    if (r.Top() - dy < 0 || r.Height() + r.Top() + dy > SH()) bounce(RunStepY);
    showAndMove();
  }

  // Leaving: straight on until wholly beyond an edge.
  while (!(r.Left() < -r.Width() || r.Left() > SW() || r.Top() < -r.Height() || r.Top() > SH())) {
    advanceFrame();
    showAndMove();
  }
  r.SetVisible(false);
}
