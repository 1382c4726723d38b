#pragma once
// A show window on the fake backend: virtual clock, recorded calls, input
// scheduled with host.At(). The show "ends the process" by throwing
// ProcessEnded, which Run() catches.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/WinMM.h"
#include "platform/fake/FakeBackend.h"
#include "show/ScreenSaver.h"
#include "startup/Starter.h"
#include "tests/common/TempWinDir.h"

// The tests' view of the window's private procedures and state.
class ShowProbe {
 public:
  explicit ShowProbe(ScreenSaver& show) : s_(show) {}
  void SetupStage() { s_.SetupStage(); }
  void PlayEpisodeIntro() { s_.PlayEpisodeIntro(); }
  void PlayEpisodeFlag() { s_.PlayEpisodeFlag(); }
  void PlayEpisodeBelow() { s_.PlayEpisodeBelow(); }
  void PlayEpisodeRunner() { s_.PlayEpisodeRunner(); }
  void PlayEpisodeGunner() { s_.PlayEpisodeGunner(); }
  void PlayEpisodeAbove() { s_.PlayEpisodeAbove(); }
  void SpeakAtFlag() { s_.SpeakAtFlag(); }
  void SpeakAtHead() { s_.SpeakAtHead(); }
  void WaitTick() { s_.WaitTick(); }
  void Wait(int seconds) {
    switch (seconds) {
      case 1: s_.Wait1Sec(); break;
      case 2: s_.Wait2Sec(); break;
      case 3: s_.Wait3Sec(); break;
      case 4: s_.Wait4Sec(); break;
      case 6: s_.Wait6Sec(); break;
      case 15: s_.Wait15Sec(); break;
      default: FAIL() << "no " << seconds << " s wait";
    }
  }
  void PlayEffect(const char* file) { s_.PlayEffect(file); }
  int16_t FlagDirection() const { return s_.FlagDirection; }
  int16_t BelowPlace() const { return s_.BelowPlace; }
  int16_t AbovePlace() const { return s_.AbovePlace; }
  int16_t FlagFrame() const { return s_.FlagFrame; }
  int16_t GunFrame() const { return s_.GunFrame; }
  void SetFlagDirection(int16_t direction) { s_.FlagDirection = direction; }
  void SetFlagFrame(int16_t frame) { s_.FlagFrame = frame; }
  void SetBelowPlace(int16_t place) { s_.BelowPlace = place; }

 private:
  ScreenSaver& s_;
};

class ShowFixture : public testing::Test {
 protected:
  TempWinDir dir;
  FakeBackend host;
  std::unique_ptr<ScreenSaver> show;

  void SetUp() override {
    Starter::ResetForTests();
    Starter::RunMode = Starter::rmScreenSaver;
    Starter::Settings.SpinSpeed = 1.0f;
    Starter::DataPath = ProgramPath(dir.Path()) + "\\";
  }
  void TearDown() override {
    Starter::SendMci("close theme");
    show.reset();
  }

  static std::string ProgramPath(std::string path) {
    for (char& c : path)
      if (c == '/') c = '\\';
    return path;
  }

  ScreenSaver& MakeShow() {
    show = std::make_unique<ScreenSaver>();
    return *show;
  }
  ShowProbe Probe() { return ShowProbe(*show); }

  // Loads the window (the show runs inside) and returns the exit code; -1 when
  // the show came back without ending the process.
  int Run() {
    if (!show) MakeShow();
    try {
      show->Load();
    } catch (const ProcessEnded& ended) {
      return ended.code;
    }
    return -1;
  }
  void PressKeyAt(double t) {
    host.At(t, [this] {
      int16_t key = 27, shift = 0;
      show->Form_KeyDown(key, shift);
    });
  }
  void MouseDownAt(double t, QPoint pixel) {
    host.At(t, [this, pixel] { show->MouseDownAt(pixel, 1, 0); });
  }
};
