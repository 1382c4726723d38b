// "Spy From Below": two hands grip the bottom edge, the head rises between
// them, blinks or squints, sometimes speaks, and sinks again. Each run takes
// the next place: left, centre, right.
#include "platform/Forms.h"
#include "platform/Runtime.h"
#include "show/ScreenSaver.h"

void ScreenSaver::PlayEpisodeBelow() {
  Wait4Sec();
  head.SetTop(vb::Screen::Height());
  head.SetPicture(heada.Picture());

  PlaceSpyGroup(hand1, hand2, BelowPlace);
  hand1.SetVisible(true);
  hand2.SetVisible(true);

  while (vb::Screen::Height() - hand1.Height() < hand1.Top()) {
    hand1.SetTop(hand1.Top() - 35);
    hand2.SetTop(hand2.Top() - 35);
    WaitTick();
  }
  head.SetVisible(true);
  while (vb::Screen::Height() - head.Height() < head.Top()) {
    head.SetTop(head.Top() - 35);
    WaitTick();
  }

  // The eyes: one of seven sequences.
  auto face = [this](const Image& source) { head.SetPicture(source.Picture()); };
  auto squint = [this] { PlayEffect("z_squint.wav"); };
  auto blink = [this] { PlayEffect("z_blink.wav"); };
  auto blinkRun = [&] {  // narrow, shut, narrow, wide open
    face(headb);
    WaitTick();
    face(headd);
    WaitTick();
    face(headb);
    WaitTick();
    face(headc);
  };
  // No cloud at the right edge: it would go off the screen.
  auto speak = [this] {
    if (BelowPlace != 3) SpeakAtHead();
  };
  vb::Randomize();
  const int16_t sequence = static_cast<int16_t>(vb::Rnd() * 7.0f + 1.0f);
  switch (sequence) {
    case 1:
    case 2:
      Wait2Sec();
      squint();
      face(headb);
      speak();
      break;
    case 4:
      Wait1Sec();
      squint();
      face(headb);
      Wait2Sec();
      break;
    case 3:
    case 5:  // a tick between the first blink and the eyes opening wide
      blink();
      WaitTick();
      face(headc);
      Wait1Sec();
      blink();
      blinkRun();
      if (sequence == 3) Wait1Sec();
      else speak();
      break;
    default:  // 6 and 7: the eyes open wide with the first blink, then two blink runs
      blink();
      face(headc);
      Wait1Sec();
      blink();
      blinkRun();
      Wait2Sec();
      blink();
      blinkRun();
      if (sequence == 6) Wait1Sec();
      else speak();
      break;
  }

  while (head.Top() < vb::Screen::Height()) {
    head.SetTop(head.Top() + 35);
    WaitTick();
  }
  head.SetVisible(false);
  while (hand1.Top() < vb::Screen::Height()) {
    hand1.SetTop(hand1.Top() + 35);
    hand2.SetTop(hand2.Top() + 35);
    WaitTick();
  }
  hand1.SetVisible(false);
  hand2.SetVisible(false);

  BelowPlace = static_cast<int16_t>(BelowPlace + 1);
  if (BelowPlace == 4) BelowPlace = 1;
  hand1.SetTop(vb::Screen::Height());
  hand2.SetTop(vb::Screen::Height());
  head.SetTop(vb::Screen::Height());
}
