#pragma once
// The show window: a borderless, black window over the whole screen that
// holds the stage and plays the episodes inside its load handler.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Backend.h"
#include "platform/Forms.h"
#include "show/Stage.h"

class ScreenSaver : public vb::Form {
  Q_OBJECT
 public:
  ScreenSaver();

  // --- the stage ---
  Image imgflag;
  Image head;
  Image imgSurf;
  Image hand1, hand2, handa, handb;
  std::vector<Image> gun;     // 0 to 5
  std::vector<Image> bullet;  // 0 to 7
  Label title1;
  Image title2;
  PictureBox cloud;
  Label cloudlbl;  // inside cloud
  // Hidden sources of the frames.
  std::vector<Image> righty, lefty;  // 0 to 2
  Image stand;
  std::vector<Image> righter, lefter;  // 0 to 2
  Image heada, headb, headc, headd;
  Image head1, head2, head3, head4;

  // --- input ---
  void Form_KeyDown(int16_t& KeyCode, int16_t& Shift);
  void Form_KeyPress(int16_t& KeyAscii);
  void Form_Click();
  void Form_DblClick();
  void Form_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y);
  // A mouse button going down at a pixel of the window (the display's own
  // pixels, as the controls are placed): a control that shows
  // there takes it; the window's own surface hands it to Form_MouseDown.
  void MouseDownAt(QPoint pixel, int16_t button, int16_t shift);
  // True when a shown control covers the pixel.
  bool OverControl(QPoint pixel) const;

  // The hero's remarks in the speech cloud, numbered 1 to 10.
  static QString SpeechLines(int line);

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;

  void paintEvent(QPaintEvent* event) override;
  QPaintEngine* paintEngine() const override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  friend class ShowProbe;  // the tests' view of the window's private procedures

  // Form-level state of the episodes.
  int16_t FlagDirection = 0;
  int16_t FlagFrame = 0;
  int16_t BelowPlace = 0;
  int16_t AbovePlace = 0;
  int16_t GunFrame = 0;

  void SetupStage();
  void RunShowLoop();
  // With every repeating episode off: waits for input without spinning.
  void WaitForInput();

  // The episodes.
  void PlayEpisodeIntro();
  void PlayEpisodeFlag();
  void PlayEpisodeBelow();
  void PlayEpisodeRunner();
  void PlayEpisodeGunner();
  void PlayEpisodeAbove();

  // Both spies: the left hand, a gap of 1.75 faces, the right hand, and the
  // head centred in the gap; the group at the left edge (place 1), centred
  // (2) or at the right edge (3). Tops are not touched.
  void PlaceSpyGroup(Image& leftHand, Image& rightHand, int16_t place);

  // The speech cloud beside the standing flag-bearer, and beside the head.
  void SpeakAtFlag();
  void SpeakAtHead();
  // What both say: a remark drawn at random, shown for its time, then a pause.
  void Speak();

  // Pacing: one animation tick, and the fixed waits.
  void WaitTick();
  void Wait1Sec();
  void Wait2Sec();
  void Wait3Sec();
  void Wait4Sec();
  void Wait6Sec();
  void Wait15Sec();
  void WaitSeconds(double seconds);
  // Plays an effect file of the data folder, when sound is on.
  void PlayEffect(const char* file);

  // Drawn in this order, so later ones lie on top; the speech box comes last.
  std::vector<const Control*> drawOrder_;
  // Where the host offers it, the stage is composed by the display server.
  std::unique_ptr<ServerSurface> surface_;
  void PaintOnServer(const QRegion& region);
  bool pressedOnSurface_ = false;
};
