#pragma once
// The real backend: Qt's event loop and windows on X11, xcb where X11 itself
// must be asked, the sound module for the effects and the theme music.
#include <memory>

#include "platform/Backend.h"

class InstanceLock;
class SoundPlayer;

// While one lives, a QApplication made serves its events with Qt's own event
// loop rather than GLib's: every message pass of the show's ticks costs
// less. Programs started later do not inherit the choice.
class QtOwnEventLoop {
 public:
  QtOwnEventLoop();
  ~QtOwnEventLoop();
  QtOwnEventLoop(const QtOwnEventLoop&) = delete;
  QtOwnEventLoop& operator=(const QtOwnEventLoop&) = delete;

 private:
  bool set_;
};

class QtBackend : public Backend {
 public:
  // Needs a QApplication. `commandLine` is the arguments after the program's path.
  explicit QtBackend(std::string commandLine);
  ~QtBackend() override;

  double SecondsSinceMidnight() override;
  double Monotonic() override;
  void SleepUntil(double deadline) override;
  void ProcessEvents() override;
  void WaitForEvents(double deadline) override;
  void RunMessageLoop() override;
  void QuitMessageLoop() override;
  std::string CommandLine() override { return commandLine_; }
  bool PrevInstance() override;
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
  int ScreenWidthPixels() override;
  int ScreenHeightPixels() override;
  int TwipsPerPixelX() override;
  int TwipsPerPixelY() override;
  double DevicePixelRatio() override;
  uint32_t WindowHandle(QWidget* window) override;
  std::unique_ptr<ServerSurface> MakeServerSurface(QWidget* window) override;
  void PresentWindow(QWidget* window) override;
  bool ClientRect(uint32_t handle, RECT* rect) override;
  bool EmbedInForeign(QWidget* window, uint32_t parent) override;
  void PlaceInDevicePixels(QWindow* window, const QRect& device) override;
  void WatchForeignWindow(uint32_t handle, std::function<void()> gone) override;
  bool CanHostChild(uint32_t handle) override;
  void PaintBlackBySystem(QWidget* window) override;
  void WatchOwnWindow(QWidget* window, std::function<void()> gone) override;
  void WatchShownWindow(QWidget* window, std::function<void()> hidden) override;
  RECT FrameMargins(QWidget* window) override;

 private:
  std::string commandLine_;
  std::unique_ptr<InstanceLock> instanceLock_;
  bool pointerHidden_ = false;
  bool soundLoaded_ = false;
  std::unique_ptr<SoundPlayer> sound_;
  // The sound module's player, loaded at the first sound; null, and every
  // sound silent, when the module cannot be loaded.
  SoundPlayer* Sound();
};
