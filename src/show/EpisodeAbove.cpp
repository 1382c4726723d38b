// "Spy From Above": two hands grip the top edge, the upside-down head slides
// down between them, blinks or squints, and everything slides back up. Each
// run takes the next place along the top: centre, right, left.
#include <cmath>

#include "platform/Runtime.h"
#include "show/ScreenSaver.h"

void ScreenSaver::PlayEpisodeAbove() {
  constexpr float kStep = 35;
  auto face = [this](const Image& source) { head.SetPicture(source.Picture()); };
  // Narrowed, shut, narrowed, wide open: one tick apart, starting with the sound.
  auto blinkRun = [&] {
    PlayEffect("z_blink.wav");
    face(head2);
    WaitTick();
    face(head4);
    WaitTick();
    face(head2);
    WaitTick();
    face(head3);
  };

  Wait4Sec();

  head.SetTop(-head1.Height());
  face(head1);

  PlaceSpyGroup(handa, handb, AbovePlace);

  handa.SetVisible(true);
  handb.SetVisible(true);
  while (handa.Top() < 0) {
    handa.SetTop(handa.Top() + kStep);
    handb.SetTop(handb.Top() + kStep);
    WaitTick();
  }
  head.SetVisible(true);
  while (head.Top() < 0) {
    head.SetTop(head.Top() + kStep);
    WaitTick();
  }

  vb::Randomize();
  switch (static_cast<int>(std::floor(vb::Rnd() * 3 + 1))) {
    case 1:  // a single blink
      WaitTick();
      PlayEffect("z_blink.wav");
      face(head3);
      Wait1Sec();
      blinkRun();
      Wait1Sec();
      break;
    case 2:  // a squint
      Wait1Sec();
      PlayEffect("z_squint.wav");
      face(head2);
      Wait2Sec();
      break;
    default:  // a double blink
      WaitTick();
      PlayEffect("z_blink.wav");
      face(head3);
      Wait1Sec();
      blinkRun();
      Wait2Sec();
      blinkRun();
      Wait1Sec();
      break;
  }

  while (-head.Height() < head.Top()) {
    head.SetTop(head.Top() - kStep);
    WaitTick();
  }
  head.SetVisible(false);
  while (-handa.Height() < handa.Top()) {
    handa.SetTop(handa.Top() - kStep);
    handb.SetTop(handb.Top() - kStep);
    WaitTick();
  }
  handa.SetVisible(false);
  handb.SetVisible(false);

  if (++AbovePlace == 4) AbovePlace = 1;
  handa.SetTop(-handa.Height());
  handb.SetTop(-handb.Height());
}
