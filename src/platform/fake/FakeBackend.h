#pragma once
// A backend for tests: a virtual clock that only moves when the program
// waits, recorded calls, and input scheduled at virtual times.
#include <QWidget>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Backend.h"

// Thrown by EndProcess so a test can see the process end and go on.
struct ProcessEnded {
  int code;
};

class FakeBackend : public Backend {
 public:
  FakeBackend();
  ~FakeBackend() override;

  // --- what the test sets up ---
  std::string commandLine;
  bool prevInstance = false;
  std::map<std::string, uint32_t> topLevelWindows;  // title -> handle
  std::map<uint32_t, RECT> foreignRects;
  int screenWidth = 1024, screenHeight = 768, twipsX = 15, twipsY = 15;
  double devicePixelRatio = 1.0;
  double musicLength = 22.0;  // seconds the theme sounds once played
  // Virtual time of day at monotonic 0.
  double midnightOffset = 12 * 3600.0;
  // Runs `action` in the first message pass at or after virtual time `at`.
  void At(double at, std::function<void()> action);
  // The next numbers Rnd() returns, in order; once they run out the seeded
  // generator draws again.
  std::deque<float> draws;
  // The process's own seed, fixed so that unscripted draws repeat from run to run.
  uint64_t processSeed = 1;
  // Called at the start of every message pass, before scheduled input runs:
  // what the program has changed by then is what the pass puts on screen.
  std::function<void()> onPass;
  // The border a window manager adds around every top-level window.
  RECT frame;

  // --- what the test reads back ---
  double now = 0;                    // the virtual steady clock
  int passes = 0;                    // message-processing passes so far
  std::vector<std::string> calls;    // "PlayEffect <path>", "OpenDocument <url>", ...
  struct Effect {
    double at;
    std::string file;  // the file name alone
  };
  std::vector<Effect> effects;       // every PlayEffect, with its virtual time
  std::vector<std::string> given;    // the bytes of every PlayEffect and MusicOpen
  bool pointerHidden = false;
  bool musicOpen = false;
  double musicStartedAt = -1;
  std::map<QWidget*, uint32_t> embedded;  // our window -> foreign parent
  bool quitRequested = false;
  // Calls whose text starts with `prefix`.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

  // --- Backend ---
  double SecondsSinceMidnight() override;
  double Monotonic() override { return now; }
  void SleepUntil(double deadline) override;
  void ProcessEvents() override;
  void WaitForEvents(double deadline) override;
  void RunMessageLoop() override;
  void QuitMessageLoop() override { quitRequested = true; }
  std::optional<float> ImposedDraw() override;
  uint64_t ProcessSeed() override { return processSeed; }
  std::string CommandLine() override { return commandLine; }
  bool PrevInstance() override { return prevInstance; }
  [[noreturn]] void EndProcess(int code) override;
  void SetPointerHidden(bool hidden) override;
  uint32_t FindTopLevelWindow(const std::string& title) override;
  bool OpenDocument(const std::string& address) override;
  bool PlayEffect(const std::string& hostPath, const std::string& wave) override;
  bool MusicOpen(const std::string& hostPath, const std::string& midi) override;
  bool MusicPlay() override;
  bool MusicPlaying() override;
  void MusicStop() override;
  void MusicClose() override;
  int ScreenWidthPixels() override { return screenWidth; }
  int ScreenHeightPixels() override { return screenHeight; }
  int TwipsPerPixelX() override { return twipsX; }
  int TwipsPerPixelY() override { return twipsY; }
  double DevicePixelRatio() override { return devicePixelRatio; }
  uint32_t WindowHandle(QWidget* window) override;
  bool ClientRect(uint32_t handle, RECT* rect) override;
  bool EmbedInForeign(QWidget* window, uint32_t parent) override;
  // No window is ever destroyed or hidden by another program here, and the
  // system paints nothing.
  void WatchForeignWindow(uint32_t, std::function<void()>) override {}
  bool CanHostChild(uint32_t handle) override;
  void PaintBlackBySystem(QWidget*) override {}
  void WatchOwnWindow(QWidget*, std::function<void()>) override {}
  void WatchShownWindow(QWidget*, std::function<void()>) override {}
  RECT FrameMargins(QWidget* window) override;

 private:
  struct Scheduled {
    double at;
    std::function<void()> action;
  };
  std::vector<Scheduled> scheduled_;
  std::map<QWidget*, uint32_t> handles_;
  uint32_t nextHandle_ = 0x1000;
  double NextScheduled() const;
};
