#include "platform/qt/X11Windows.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

namespace x11 {
namespace {

xcb_connection_t* Connection() {
  auto* x = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x ? x->connection() : nullptr;
}

// Replies whose errors come back to us instead of going to Qt's event queue
// (a window of another program may be gone at any moment).
template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&free)>;

template <class Reply, class Cookie>
Owned<Reply> Ask(xcb_connection_t* c, Reply* (*get)(xcb_connection_t*, Cookie, xcb_generic_error_t**),
                 Cookie cookie) {
  xcb_generic_error_t* error = nullptr;
  Owned<Reply> reply(get(c, cookie, &error), &free);
  free(error);
  return reply;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  auto reply = Ask(c, xcb_intern_atom_reply, xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(name)), name));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string TextProperty(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property) {
  auto reply = Ask(c, xcb_get_property_reply, xcb_get_property(c, 0, w, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024));
  if (!reply || reply->format != 8) return {};
  return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                     static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

std::vector<xcb_window_t> Children(xcb_connection_t* c, xcb_window_t w) {
  auto tree = Ask(c, xcb_query_tree_reply, xcb_query_tree(c, w));
  if (!tree) return {};
  xcb_window_t* kids = xcb_query_tree_children(tree.get());
  return std::vector<xcb_window_t>(kids, kids + xcb_query_tree_children_length(tree.get()));
}

// Watches DestroyNotify events for the windows it was asked about.
class DestroyWatcher : public QAbstractNativeEventFilter {
 public:
  std::multimap<uint32_t, std::function<void()>> watched;
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_DESTROY_NOTIFY) return false;
    auto* destroy = reinterpret_cast<xcb_destroy_notify_event_t*>(event);
    auto range = watched.equal_range(destroy->window);
    std::vector<std::function<void()>> gone;
    for (auto it = range.first; it != range.second; ++it) gone.push_back(it->second);
    watched.erase(destroy->window);
    for (auto& g : gone) g();
    return false;
  }
};

DestroyWatcher* Watcher() {
  static DestroyWatcher* watcher = nullptr;
  if (!watcher) {
    watcher = new DestroyWatcher;
    qApp->installNativeEventFilter(watcher);
  }
  return watcher;
}

}  // namespace

uint32_t FindTopLevel(const std::string& title) {
  xcb_connection_t* c = Connection();
  if (!c) return 0;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const xcb_atom_t netName = Atom(c, "_NET_WM_NAME");
  auto matches = [&](xcb_window_t w) {
    std::string name = netName ? TextProperty(c, w, netName) : std::string();
    if (name.empty()) name = TextProperty(c, w, XCB_ATOM_WM_NAME);
    return name == title;
  };
  // Window managers put the client window one level below a frame.
  for (xcb_window_t top : Children(c, root)) {
    if (matches(top)) return top;
    for (xcb_window_t inner : Children(c, top))
      if (matches(inner)) return inner;
  }
  return 0;
}

bool ClientRect(uint32_t window, RECT* rect) {
  xcb_connection_t* c = Connection();
  if (!c || window == 0) return false;
  auto geometry = Ask(c, xcb_get_geometry_reply, xcb_get_geometry(c, window));
  if (!geometry) return false;
  *rect = RECT{0, 0, geometry->width, geometry->height};
  return true;
}

bool EmbedInForeign(QWidget* window, uint32_t parent) {
  if (parent == 0 || !Connection()) return false;
  RECT probe;
  if (!ClientRect(parent, &probe)) return false;  // not a window
  window->setAttribute(Qt::WA_NativeWindow);
  window->winId();
  window->windowHandle()->setParent(QWindow::fromWinId(parent));
  return true;
}

void WatchForeignWindow(uint32_t window, std::function<void()> gone) {
  xcb_connection_t* c = Connection();
  if (!c || window == 0) return;
  DestroyWatcher* watcher = Watcher();
  // Our own interest in the window's structure; other programs keep theirs.
  const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_generic_error_t* error =
      xcb_request_check(c, xcb_change_window_attributes_checked(c, window, XCB_CW_EVENT_MASK, &mask));
  if (error) {
    // Gone before we could listen: no DestroyNotify will come, so say it now.
    free(error);
    QTimer::singleShot(0, qApp, std::move(gone));
    return;
  }
  watcher->watched.emplace(window, std::move(gone));
}

}  // namespace x11
