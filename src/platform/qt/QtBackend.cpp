#include "platform/qt/QtBackend.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <filesystem>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

#include "platform/WinDir.h"
#include "platform/qt/InstanceLock.h"
#include "platform/qt/SoundPlayer.h"
#include "platform/qt/X11Surface.h"
#include "platform/qt/X11Windows.h"

namespace {

// How long a window just shown may take to reach the screen.
constexpr double kPresentLimit = 0.5;

constexpr const char* kNoGlib = "QT_NO_GLIB";

// The sound module next to the running program. It stays loaded to the end.
std::unique_ptr<SoundPlayer> LoadSoundModule() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return nullptr;
  void* module = dlopen((program.parent_path() / ZENTRAVO_SOUND_MODULE).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) return nullptr;
  auto make = reinterpret_cast<MakeSoundPlayerFunction>(dlsym(module, kMakeSoundPlayer));
  return std::unique_ptr<SoundPlayer>(make ? make() : nullptr);
}

}  // namespace

QtOwnEventLoop::QtOwnEventLoop() : set_(!std::getenv(kNoGlib)) {
  if (set_) setenv(kNoGlib, "1", 1);
}

QtOwnEventLoop::~QtOwnEventLoop() {
  if (set_) unsetenv(kNoGlib);
}

QtBackend::QtBackend(std::string commandLine)
    : commandLine_(std::move(commandLine)), instanceLock_(std::make_unique<InstanceLock>(WindowsDirectoryHostPath())) {
  SetHost(this);
}

QtBackend::~QtBackend() = default;

bool QtBackend::PrevInstance() { return instanceLock_->OthersRunning(); }

SoundPlayer* QtBackend::Sound() {
  if (!soundLoaded_) {
    soundLoaded_ = true;
    sound_ = LoadSoundModule();
  }
  return sound_.get();
}

double QtBackend::SecondsSinceMidnight() {
  using namespace std::chrono;
  auto now = system_clock::now();
  std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  double fraction = duration<double>(now - system_clock::from_time_t(t)).count();
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

double QtBackend::Monotonic() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void QtBackend::SleepUntil(double deadline) {
  double left = deadline - Monotonic();
  if (left > 0) std::this_thread::sleep_for(std::chrono::duration<double>(left));
}

void QtBackend::ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtBackend::WaitForEvents(double deadline) {
  double left = deadline - Monotonic();
  if (left <= 0) {
    ProcessEvents();
    return;
  }
  // A timer for the deadline, so the blocking wait below always returns.
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  timer.start(static_cast<int>(std::ceil(left * 1000.0)));
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtBackend::RunMessageLoop() { QApplication::exec(); }

void QtBackend::QuitMessageLoop() { QCoreApplication::exit(0); }

void QtBackend::EndProcess(int code) {
  if (sound_) sound_->Shutdown();
  std::fflush(stdout);
  std::fflush(stderr);
  ::_exit(code);
}

void QtBackend::SetPointerHidden(bool hidden) {
  if (hidden == pointerHidden_) return;
  pointerHidden_ = hidden;
  if (hidden) QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
  else QGuiApplication::restoreOverrideCursor();
}

uint32_t QtBackend::FindTopLevelWindow(const std::string& title) { return x11::FindTopLevel(title); }

bool QtBackend::OpenDocument(const std::string& address) {
  return QProcess::startDetached("xdg-open", {QString::fromStdString(address)});
}

bool QtBackend::PlayEffect(const std::string& hostPath, const std::string& wave) {
  return Sound() && sound_->PlayEffect(hostPath, wave);
}
bool QtBackend::MusicOpen(const std::string&, const std::string& midi) { return Sound() && sound_->MusicOpen(midi); }
bool QtBackend::MusicPlay() { return Sound() && sound_->MusicPlay(); }
bool QtBackend::MusicPlaying() { return sound_ && sound_->MusicPlaying(); }
void QtBackend::MusicStop() { if (sound_) sound_->MusicStop(); }
void QtBackend::MusicClose() { if (sound_) sound_->MusicClose(); }

// The screen as the program sees it. A desktop that scales (Xft.dpi 120, 144
// or 192, XSETTINGS' Xft/DPI, QT_SCALE_FACTOR) makes Qt work in pixels of a
// 96-dpi screen: at 144 dpi a 1280 x 800 display is 853 x 533 of them, each
// 1.5 of the display's own, and still 15 twips wide. Everything the program
// computes stays in those pixels and their twips, as on an unscaled screen;
// only where the show meets the X server are they turned into the display's
// own pixels: each picture scaled once when it is loaded, text drawn at the
// display's resolution, and a position in twips rounded once to the display's
// pixels (Screen::DevicePixelRatio, TwipsToDevicePixels). A screen whose own
// density Qt does not scale (QT_ENABLE_HIGHDPI_SCALING=0 with QT_FONT_DPI)
// has a ratio of 1 and fewer twips per pixel instead.
int QtBackend::ScreenWidthPixels() { return QGuiApplication::primaryScreen()->geometry().width(); }
int QtBackend::ScreenHeightPixels() { return QGuiApplication::primaryScreen()->geometry().height(); }

int QtBackend::TwipsPerPixelX() {
  double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
  return dpi > 0 ? std::max(1, static_cast<int>(std::lround(1440.0 / dpi))) : 15;
}

int QtBackend::TwipsPerPixelY() {
  double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
  return dpi > 0 ? std::max(1, static_cast<int>(std::lround(1440.0 / dpi))) : 15;
}

double QtBackend::DevicePixelRatio() { return QGuiApplication::primaryScreen()->devicePixelRatio(); }

uint32_t QtBackend::WindowHandle(QWidget* window) { return static_cast<uint32_t>(window->winId()); }

std::unique_ptr<ServerSurface> QtBackend::MakeServerSurface(QWidget* window) {
  return X11Surface::Make(window);
}

void QtBackend::PresentWindow(QWidget* window) {
  QWindow* handle = window->windowHandle();
  if (!handle) return;
  // The window system shows the window when it is ready, and the window
  // paints itself as it is exposed. Input waits for the show's own passes.
  const double deadline = Monotonic() + kPresentLimit;
  while (!handle->isExposed()) {
    double left = deadline - Monotonic();
    if (left <= 0) return;
    QTimer timer;
    timer.setSingleShot(true);
    timer.start(static_cast<int>(std::ceil(left * 1000.0)));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
  }
  // One round trip: the X server has drawn the frame before anything slow
  // comes next.
  if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>())
    free(xcb_get_input_focus_reply(x11->connection(), xcb_get_input_focus(x11->connection()), nullptr));
}

bool QtBackend::ClientRect(uint32_t handle, RECT* rect) { return x11::ClientRect(handle, rect); }

bool QtBackend::EmbedInForeign(QWidget* window, uint32_t parent) {
  return x11::EmbedInForeign(window, parent);
}

void QtBackend::PlaceInDevicePixels(QWindow* window, const QRect& device) {
  Backend::PlaceInDevicePixels(window, device);
  // Qt's nearest place in its own pixels may miss by one of the display's.
  if (DevicePixelRatio() != 1.0) x11::ConfigureExactly(static_cast<uint32_t>(window->winId()), device);
}

void QtBackend::WatchForeignWindow(uint32_t handle, std::function<void()> gone) {
  x11::WatchForeignWindow(handle, std::move(gone));
}

bool QtBackend::CanHostChild(uint32_t handle) { return x11::CanHostChild(handle); }

void QtBackend::PaintBlackBySystem(QWidget* window) { x11::PaintBlackBySystem(window); }

void QtBackend::WatchOwnWindow(QWidget* window, std::function<void()> gone) {
  x11::WatchOwnWindow(window, std::move(gone));
}

void QtBackend::WatchShownWindow(QWidget* window, std::function<void()> hidden) {
  x11::WatchShownWindow(window, std::move(hidden));
}

RECT QtBackend::FrameMargins(QWidget* window) { return x11::FrameMargins(window); }
