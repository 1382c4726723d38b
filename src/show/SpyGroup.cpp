// Where the two spies stand along their edge.
#include "platform/Forms.h"
#include "show/ScreenSaver.h"

void ScreenSaver::PlaceSpyGroup(Image& leftHand, Image& rightHand, int16_t place) {
  const float SW = vb::Screen::Width();
  const float G = 1.75f * head.Width();
  switch (place) {
    case 1: leftHand.SetLeft(0); break;
    case 2: leftHand.SetLeft(SW / 2 - (G + leftHand.Width() + rightHand.Width()) * 0.5f); break;
    case 3: leftHand.SetLeft(SW - rightHand.Width() - G - leftHand.Width()); break;
  }
  rightHand.SetLeft(leftHand.Left() + leftHand.Width() + G);
  head.SetLeft((leftHand.Left() + leftHand.Width() + rightHand.Left()) / 2 - head.Width() * 0.5f);
}
