#pragma once
// The host services beneath our Windows-style layer. One real backend (Qt on
// X11, SDL2_mixer) and one fake for tests implement it; nothing above the
// layer knows which one runs.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;
class QWindow;

struct RECT {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// A window's content composed by the display server itself, from pictures
// it keeps: a frame costs a few small requests instead of its pixels.
class ServerSurface {
 public:
  // One picture on the window: the picture named `key` with its top-left
  // corner at `at`, seen only inside `area`. `render` makes the picture the
  // first time its key is seen.
  struct Layer {
    std::string key;
    std::function<QImage()> render;
    QPoint at;
    QRect area;
  };
  virtual ~ServerSurface() = default;
  // Composes a rectangle of the window anew: black, then the layers in order,
  // each over what lies beneath where it is transparent.
  virtual void Compose(const QRect& rect, const std::vector<Layer>& layers) = 0;
  // Sends what was composed to the server.
  virtual void Flush() = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;

  // --- clock and messages ---
  // Seconds since local midnight, with sub-millisecond precision.
  virtual double SecondsSinceMidnight() = 0;
  // A steady clock in seconds, for measuring elapsed time.
  virtual double Monotonic() = 0;
  // Sleeps until the steady clock reaches `deadline`, processing nothing.
  virtual void SleepUntil(double deadline) = 0;
  // One pass: processes every pending window message, then returns.
  virtual void ProcessEvents() = 0;
  // Blocks until a message has been processed or the steady clock reaches
  // `deadline`, whichever comes first.
  virtual void WaitForEvents(double deadline) = 0;
  // Serves messages until QuitMessageLoop.
  virtual void RunMessageLoop() = 0;
  virtual void QuitMessageLoop() = 0;
  // A number the host imposes in place of the generator's next draw (tests
  // script their draws this way); nullopt lets the generator's draw stand.
  virtual std::optional<float> ImposedDraw() { return std::nullopt; }
  // A number of this process's own, the same for its whole life, that sets
  // its random draws apart from those of a process seeded at the same moment.
  virtual uint64_t ProcessSeed();

  // --- process ---
  virtual std::string CommandLine() = 0;
  // True while another instance of this program runs for the same user.
  virtual bool PrevInstance() = 0;
  // Ends the process at once: no window handler runs after it.
  [[noreturn]] virtual void EndProcess(int code) = 0;

  // --- desktop ---
  virtual void SetPointerHidden(bool hidden) = 0;
  // A top-level window whose title is exactly `title`; 0 when there is none.
  virtual uint32_t FindTopLevelWindow(const std::string& title) = 0;
  // Hands a web address to the user's default browser.
  virtual bool OpenDocument(const std::string& address) = 0;

  // --- sound ---
  // The sound libraries get a file's bytes, read once, never its name:
  // `hostPath` only says which file they came from; they are empty when it
  // could not be read.
  // Plays a WAV file asynchronously, cutting off the effect still sounding.
  virtual bool PlayEffect(const std::string& hostPath, const std::string& wave) = 0;
  virtual bool MusicOpen(const std::string& hostPath, const std::string& midi) = 0;
  virtual bool MusicPlay() = 0;
  virtual bool MusicPlaying() = 0;
  virtual void MusicStop() = 0;
  virtual void MusicClose() = 0;

  // --- screen and windows ---
  virtual int ScreenWidthPixels() = 0;
  virtual int ScreenHeightPixels() = 0;
  virtual int TwipsPerPixelX() = 0;
  virtual int TwipsPerPixelY() = 0;
  // The display's own pixels in one of the pixels above: 1 where the desktop
  // does not scale, 1.5 where it shows everything half as large again.
  virtual double DevicePixelRatio() = 0;
  // The handle by which other programs know our window.
  virtual uint32_t WindowHandle(QWidget* window) = 0;
  // A surface to draw the window's content on the server; nullptr where the
  // host has none, and the window paints itself as any other.
  virtual std::unique_ptr<ServerSurface> MakeServerSurface(QWidget* window) {
    (void)window;
    return nullptr;
  }
  // Puts a window just shown on screen now, painted, handling no input.
  virtual void PresentWindow(QWidget* window) { (void)window; }
  // Client rectangle of any window by handle; false when it cannot be had.
  virtual bool ClientRect(uint32_t handle, RECT* rect) = 0;
  // Makes our window a child of a window of another program.
  virtual bool EmbedInForeign(QWidget* window, uint32_t parent) = 0;
  // Places a child window in its parent at a rectangle of the display's own
  // pixels, exactly, where the window's own pixels are coarser.
  virtual void PlaceInDevicePixels(QWindow* window, const QRect& device);
  // Calls `gone` once the foreign window is destroyed.
  virtual void WatchForeignWindow(uint32_t handle, std::function<void()> gone) = 0;
  // True when `handle` is a window of another program that can hold a child
  // window of ours: it exists, it shows output, and it is not the screen itself.
  virtual bool CanHostChild(uint32_t handle) = 0;
  // Lets the window system keep our window black wherever the program draws
  // nothing, so that no picture of the window's whole area is ever held.
  virtual void PaintBlackBySystem(QWidget* window) = 0;
  // Calls `gone` when another program destroys our window's native window.
  virtual void WatchOwnWindow(QWidget* window, std::function<void()> gone) = 0;
  // Calls `hidden` when our window, once it has been on the screen, is
  // minimised, or unmapped by another program.
  virtual void WatchShownWindow(QWidget* window, std::function<void()> hidden) = 0;
  // The border a window manager adds, or will add, around our top-level
  // window: its width on each side in pixels; all zero without one.
  virtual RECT FrameMargins(QWidget* window) = 0;
};

// The backend in use; set once at start-up (or by a test).
Backend& Host();
void SetHost(Backend* backend);
bool HasHost();
