// The program: finds the display, starts the real backend and hands over to Main.
#include <QApplication>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <string>
#include <xcb/xcb.h>

#include "platform/Forms.h"
#include "platform/VbError.h"
#include "platform/qt/QtBackend.h"
#include "startup/Starter.h"

namespace {

// An idle timer (xautolock, for one) starts the show with standard output and
// error closed. The X connection would then take descriptor 2, and any warning
// a library writes to stderr would go into the X protocol and hang the show; so
// each closed standard descriptor is held by /dev/null before anything opens.
void OpenClosedStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
  }
}

// The program draws on X11 and nowhere else: Qt's xcb platform, whatever the
// environment names (another platform would crash, show nothing or listen on
// the network), and no platform or input plugins from elsewhere.
void UseX11Only() {
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  unsetenv("QT_QPA_PLATFORM_PLUGIN_PATH");
  unsetenv("QT_QPA_GENERIC_PLUGINS");
}

// Qt aborts when it cannot use the X display; find out first and say so
// plainly: no server, or no such screen on it. The probe's connection stays
// open until Qt has its own: an X server that resets when its last client
// leaves would otherwise be resetting just as Qt connects.
class DisplayProbe {
 public:
  DisplayProbe() {
    int screen = 0;
    connection_ = xcb_connect(nullptr, &screen);
    usable_ = connection_ && !xcb_connection_has_error(connection_) && screen >= 0 &&
              screen < xcb_setup_roots_length(xcb_get_setup(connection_));
  }
  ~DisplayProbe() {
    if (connection_) xcb_disconnect(connection_);
  }
  bool Usable() const { return usable_; }

 private:
  xcb_connection_t* connection_ = nullptr;
  bool usable_ = false;
};

std::string JoinArguments(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

// A run-time error that no trap catches (one raised in a handler that the
// window system calls directly) ends the program with a line on stderr,
// rather than letting the exception unwind through Qt.
class Application : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const vb::VbError& error) {
      std::fprintf(stderr, "zentravo: run-time error %d\n", error.Number());
    } catch (const std::exception& error) {
      std::fprintf(stderr, "zentravo: %s\n", error.what());
    }
    Host().EndProcess(1);
    return false;  // not reached
  }
};

}  // namespace

int main(int argc, char** argv) {
  OpenClosedStandardStreams();
  UseX11Only();
  auto probe = std::make_unique<DisplayProbe>();
  if (!probe->Usable()) {
    std::fprintf(stderr, "zentravo: cannot open the X display (is DISPLAY set?)\n");
    return 1;
  }
  std::string commandLine = JoinArguments(argc, argv);
  int qtArgc = 1;
  auto ownLoop = std::make_unique<QtOwnEventLoop>();
  Application app(qtArgc, argv);
  ownLoop.reset();
  probe.reset();
  app.setQuitOnLastWindowClosed(false);
  QtBackend backend(commandLine);

  Starter::Main();
  // The process lives while a window is loaded.
  if (vb::LoadedFormCount() > 0) backend.RunMessageLoop();
  backend.EndProcess(0);
}
