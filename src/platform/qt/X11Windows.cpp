#include "platform/qt/X11Windows.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <thread>
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

// True when the window manager has minimised the window: WM_STATE says
// Iconic, or _NET_WM_STATE holds _NET_WM_STATE_HIDDEN.
bool Minimised(xcb_connection_t* c, xcb_window_t w) {
  const xcb_atom_t wmState = Atom(c, "WM_STATE");
  auto state = Ask(c, xcb_get_property_reply, xcb_get_property(c, 0, w, wmState, wmState, 0, 1));
  constexpr uint32_t kIconicState = 3;
  if (state && state->format == 32 && xcb_get_property_value_length(state.get()) == 4 &&
      *static_cast<const uint32_t*>(xcb_get_property_value(state.get())) == kIconicState)
    return true;
  const xcb_atom_t netWmState = Atom(c, "_NET_WM_STATE"), hidden = Atom(c, "_NET_WM_STATE_HIDDEN");
  auto net = Ask(c, xcb_get_property_reply, xcb_get_property(c, 0, w, netWmState, XCB_ATOM_ATOM, 0, 64));
  if (!net || net->format != 32 || !hidden) return false;
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(net.get()));
  const int count = xcb_get_property_value_length(net.get()) / 4;
  return std::find(atoms, atoms + count, hidden) != atoms + count;
}

// Watches what happens to the windows it was asked about: foreign windows
// destroyed; our own windows destroyed, or taken off the screen by others.
class Watcher : public QAbstractNativeEventFilter {
 public:
  struct Own {
    QPointer<QWidget> widget;
    std::function<void()> gone;
  };
  struct Shown {
    QPointer<QWidget> widget;
    std::function<void()> hidden;
    bool mapped = false;  // seen on the screen since Qt last showed it
  };
  std::multimap<uint32_t, std::function<void()>> watched;
  std::vector<Own> own;
  std::vector<Shown> shown;

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    const bool sent = event->response_type & 0x80;  // by a client, not the server
    switch (event->response_type & ~0x80) {
      case XCB_DESTROY_NOTIFY:
        Destroyed(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window);
        break;
      case XCB_MAP_NOTIFY:
        if (!sent) Mapped(reinterpret_cast<xcb_map_notify_event_t*>(event)->window, true);
        break;
      case XCB_UNMAP_NOTIFY:
        if (!sent) Mapped(reinterpret_cast<xcb_unmap_notify_event_t*>(event)->window, false);
        break;
      case XCB_PROPERTY_NOTIFY:
        StateChanged(reinterpret_cast<xcb_property_notify_event_t*>(event));
        break;
    }
    return false;
  }

 private:
  // The widget's native window while Qt shows it: when Qt itself destroys a
  // native window to make a new one, or hides it, events for the old one do
  // not count.
  static bool Showing(QWidget* widget, xcb_window_t w) {
    QWindow* handle = widget ? widget->windowHandle() : nullptr;
    return handle && widget->isVisible() && handle->winId() == w;
  }

  void Destroyed(xcb_window_t w) {
    auto range = watched.equal_range(w);
    std::vector<std::function<void()>> gone;
    for (auto it = range.first; it != range.second; ++it) gone.push_back(it->second);
    watched.erase(w);
    for (auto& entry : own)
      if (Showing(entry.widget, w)) gone.push_back(entry.gone);
    for (auto& g : gone) g();
  }

  void Mapped(xcb_window_t w, bool mapped) {
    for (auto& entry : shown) {
      QWindow* handle = entry.widget ? entry.widget->windowHandle() : nullptr;
      if (!handle || handle->winId() != w) continue;
      if (!entry.widget->isVisible()) {
        entry.mapped = false;  // Qt took it down itself
      } else if (mapped) {
        entry.mapped = true;
      } else if (entry.mapped && !MappedNow(w)) {  // a window manager that adopts it maps it again at once
        TakenAway(entry);
        return;
      }
    }
  }

  static bool MappedNow(xcb_window_t w) {
    xcb_connection_t* c = Connection();
    if (!c) return false;
    auto attributes = Ask(c, xcb_get_window_attributes_reply, xcb_get_window_attributes(c, w));
    return attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
  }

  void StateChanged(xcb_property_notify_event_t* event) {
    xcb_connection_t* c = Connection();
    if (shown.empty() || !c || event->state != XCB_PROPERTY_NEW_VALUE) return;
    static const xcb_atom_t wmState = Atom(c, "WM_STATE"), netWmState = Atom(c, "_NET_WM_STATE");
    if (event->atom != wmState && event->atom != netWmState) return;
    for (auto& entry : shown) {
      if (entry.mapped && Showing(entry.widget, event->window) && Minimised(c, event->window)) {
        TakenAway(entry);
        return;
      }
    }
  }

  static void TakenAway(Shown& entry) {
    entry.mapped = false;
    auto hidden = entry.hidden;
    hidden();
  }
};

xcb_screen_t* FirstScreen(xcb_connection_t* c) { return xcb_setup_roots_iterator(xcb_get_setup(c)).data; }

bool IsRoot(xcb_connection_t* c, xcb_window_t w) {
  for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem; xcb_screen_next(&it))
    if (it.data->root == w) return true;
  return false;
}

// True when the window manager lists `name` among what it supports.
bool WindowManagerSupports(xcb_connection_t* c, xcb_atom_t name) {
  const xcb_atom_t supported = Atom(c, "_NET_SUPPORTED");
  if (!supported || !name) return false;
  auto reply = Ask(c, xcb_get_property_reply,
                   xcb_get_property(c, 0, FirstScreen(c)->root, supported, XCB_ATOM_ATOM, 0, 4096));
  if (!reply || reply->format != 32) return false;
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  const int count = xcb_get_property_value_length(reply.get()) / 4;
  return std::find(atoms, atoms + count, name) != atoms + count;
}

// The four CARDINALs of _NET_FRAME_EXTENTS, once the window manager has set them.
bool ReadFrameExtents(xcb_connection_t* c, xcb_window_t w, xcb_atom_t extents, RECT* margins) {
  auto reply = Ask(c, xcb_get_property_reply, xcb_get_property(c, 0, w, extents, XCB_ATOM_CARDINAL, 0, 4));
  if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) return false;
  const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
  *margins = RECT{static_cast<int32_t>(v[0]), static_cast<int32_t>(v[2]), static_cast<int32_t>(v[1]),
                  static_cast<int32_t>(v[3])};
  return true;
}

Watcher* TheWatcher() {
  static Watcher* watcher = nullptr;
  if (!watcher) {
    watcher = new Watcher;
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

void ConfigureExactly(uint32_t window, const QRect& place) {
  xcb_connection_t* c = Connection();
  if (!c || window == 0) return;
  const uint32_t values[] = {static_cast<uint32_t>(place.x()), static_cast<uint32_t>(place.y()),
                             static_cast<uint32_t>(std::max(1, place.width())),
                             static_cast<uint32_t>(std::max(1, place.height()))};
  xcb_configure_window(c, window,
                       XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                       values);
  xcb_flush(c);
}

void WatchForeignWindow(uint32_t window, std::function<void()> gone) {
  xcb_connection_t* c = Connection();
  if (!c || window == 0) return;
  Watcher* watcher = TheWatcher();
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

bool CanHostChild(uint32_t window) {
  xcb_connection_t* c = Connection();
  if (!c || window == 0 || IsRoot(c, window)) return false;
  auto attributes = Ask(c, xcb_get_window_attributes_reply, xcb_get_window_attributes(c, window));
  return attributes && attributes->_class == XCB_WINDOW_CLASS_INPUT_OUTPUT;
}

void PaintBlackBySystem(QWidget* window) {
  xcb_connection_t* c = Connection();
  if (!c) return;
  window->setAttribute(Qt::WA_NativeWindow);
  const auto id = static_cast<xcb_window_t>(window->winId());
  const uint32_t black = FirstScreen(c)->black_pixel;
  xcb_change_window_attributes(c, id, XCB_CW_BACK_PIXEL, &black);
  xcb_clear_area(c, 0, id, 0, 0, 0, 0);
  xcb_flush(c);
}

void WatchOwnWindow(QWidget* window, std::function<void()> gone) {
  if (!Connection()) return;
  auto& own = TheWatcher()->own;
  own.erase(std::remove_if(own.begin(), own.end(), [&](const auto& entry) { return entry.widget == window; }),
            own.end());
  own.push_back({window, std::move(gone)});
}

void WatchShownWindow(QWidget* window, std::function<void()> hidden) {
  if (!Connection()) return;
  TheWatcher()->shown.push_back({window, std::move(hidden)});
}

RECT FrameMargins(QWidget* window) {
  xcb_connection_t* c = Connection();
  if (!c || !window->isWindow()) return {};
  if (QWindow* handle = window->windowHandle(); handle && handle->isVisible()) {
    const QMargins m = handle->frameMargins();
    return RECT{m.left(), m.top(), m.right(), m.bottom()};
  }
  // Not mapped yet: a window manager that can tell its frame in advance is
  // asked about a window of its own, which leaves ours as it is, and given a
  // moment to answer. Its frame does not change while we run.
  static std::optional<RECT> predicted;
  if (predicted) return *predicted;
  predicted = RECT{};
  const xcb_atom_t request = Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
  const xcb_atom_t extents = Atom(c, "_NET_FRAME_EXTENTS");
  if (!extents || !WindowManagerSupports(c, request)) return *predicted;
  xcb_screen_t* screen = FirstScreen(c);
  const xcb_window_t probe = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, screen->root, 0, 0, 100, 100, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
  // Like our windows that ask: a dialog of a fixed size.
  const xcb_atom_t type = Atom(c, "_NET_WM_WINDOW_TYPE");
  const xcb_atom_t dialog = Atom(c, "_NET_WM_WINDOW_TYPE_DIALOG");
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, probe, type, XCB_ATOM_ATOM, 32, 1, &dialog);
  const uint32_t fixedSize[18] = {16 | 32, 0, 0, 0, 0, 100, 100, 100, 100};  // PMinSize | PMaxSize
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, probe, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18,
                      fixedSize);
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = probe;
  event.type = request;
  xcb_send_event(c, 0, screen->root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&event));
  xcb_flush(c);
  RECT margins{};
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (ReadFrameExtents(c, probe, extents, &margins)) {
      predicted = margins;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  xcb_destroy_window(c, probe);
  xcb_flush(c);
  return *predicted;
}

}  // namespace x11
