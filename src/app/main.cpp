// The program: finds the display, starts the real backend and hands over to Main.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <xcb/xcb.h>

#include "platform/Forms.h"
#include "platform/qt/QtBackend.h"
#include "startup/Starter.h"

namespace {

// Qt aborts when it cannot reach the X display; say so plainly instead.
bool DisplayReachable() {
  const char* qpa = std::getenv("QT_QPA_PLATFORM");
  if (qpa && *qpa && std::string(qpa) != "xcb") return true;
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  bool ok = c && !xcb_connection_has_error(c);
  if (c) xcb_disconnect(c);
  return ok;
}

std::string JoinArguments(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  if (!DisplayReachable()) {
    std::fprintf(stderr, "zentravo: cannot open the X display (is DISPLAY set?)\n");
    return 1;
  }
  std::string commandLine = JoinArguments(argc, argv);
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  app.setQuitOnLastWindowClosed(false);
  QtBackend backend(commandLine);

  Starter::Main();
  // The process lives while a window is loaded.
  if (vb::LoadedFormCount() > 0) backend.RunMessageLoop();
  backend.EndProcess(0);
}
