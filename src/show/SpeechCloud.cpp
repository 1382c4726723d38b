// The speech cloud: Zorvik says one remark, drawn at random, in the cloud
// beside him, then pauses. It moves nothing but the cloud and plays no sound.
#include "platform/Runtime.h"
#include "show/ScreenSaver.h"

QString ScreenSaver::SpeechLines(int line) {
  // Lines 3 and 4 are one remark in two halves, and so are lines 6 and 7.
  static const char* const kLines[10] = {
      "Hello out there! Don't mind me, I'm only borrowing your screen for a while.",
      "Shh! I'm counting your pixels. Nine hundred and one, nine hundred and two...",
      "Back home, every flat and shiny place gets a flag...",
      "...and your screen is the flattest, shiniest place I've found.",
      "You stared back! Nobody ever stares back at a Vexling.",
      "It's dusty down here under your screen...",
      "...so I come up now and then to see your friendly face.",
      "Tap a key and I'll vanish. But then who would guard your desk?",
      "My scarf is brand new. Nobody on this screen has said a word about it.",
      "Keep working, I'm just looking. Vexlings are very good at just looking.",
  };
  return QString::fromUtf8(kLines[line - 1]);
}

void ScreenSaver::SpeakAtFlag() {
  Wait1Sec();  // the standing figure alone first
  cloud.SetLeft(imgflag.Left() + imgflag.Width());
  cloud.SetTop(imgflag.Top());
  Speak();
}

void ScreenSaver::SpeakAtHead() {
  cloud.SetLeft(head.Left() + head.Width());
  cloud.SetTop(head.Top() - cloud.Height() * 0.5f);  // its middle on the head's top edge
  Speak();
}

void ScreenSaver::Speak() {
  vb::Randomize();
  const int16_t speechCase = static_cast<int16_t>(vb::Rnd() * 9.0f + 1.0f);
  // The line each one-line case says (0: a case of its own below).
  static const int kOneLine[10] = {0, 2, 1, 0, 0, 5, 0, 8, 9, 10};
  if (speechCase == 3 || speechCase == 6) {
    const int first = speechCase;  // case 3 says lines 3 and 4, case 6 lines 6 and 7
    cloudlbl.SetCaption(SpeechLines(first));
    cloud.SetVisible(true);
    Wait4Sec();
    cloudlbl.SetCaption(SpeechLines(first + 1));
    Wait3Sec();
  } else if (speechCase != 4) {  // case 4 says nothing
    cloudlbl.SetCaption(SpeechLines(kOneLine[speechCase]));
    cloud.SetVisible(true);
    Wait6Sec();
  }
  cloud.SetVisible(false);
  Wait2Sec();
}
