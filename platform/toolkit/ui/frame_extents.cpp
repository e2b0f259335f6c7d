#include "frame_extents.h"

#include <xcb/xcb.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace tk {
namespace {

// How long a window manager that says it answers frame requests is given to do so.
constexpr int kAnswerTimeoutMs = 1000;

struct FreeReply {
  void operator()(void* p) const { std::free(p); }
};
template <class T>
using Reply = std::unique_ptr<T, FreeReply>;

xcb_connection_t* Connection() {
  if (qGuiApp == nullptr) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  const auto len = static_cast<std::uint16_t>(std::strlen(name));
  Reply<xcb_intern_atom_reply_t> r(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, len, name), nullptr));
  return r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

xcb_atom_t FrameExtentsAtom(xcb_connection_t* c) {
  static const xcb_atom_t atom = Atom(c, "_NET_FRAME_EXTENTS");
  return atom;
}

// A property holding 32-bit values of the given type; empty when absent or of another kind.
std::vector<std::uint32_t> Values32(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property,
                                    xcb_atom_t type) {
  Reply<xcb_get_property_reply_t> r(
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 4096), nullptr));
  if (!r || r->format != 32 || r->type != type) return {};
  const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(r.get()));
  return std::vector<std::uint32_t>(v, v + xcb_get_property_value_length(r.get()) / 4);
}

// The window's frame extents property, in the window's pixels, when it has one.
std::optional<QMargins> FrameExtents(xcb_connection_t* c, const QWidget& window) {
  const auto v = Values32(c, static_cast<xcb_window_t>(window.winId()), FrameExtentsAtom(c),
                          XCB_ATOM_CARDINAL);
  if (v.size() != 4) return std::nullopt;
  // Left, right, top, bottom, in the screen's pixels.
  const double dpr = window.devicePixelRatioF();
  const auto px = [dpr](std::uint32_t n) { return static_cast<int>(std::lround(n / dpr)); };
  return QMargins(px(v[0]), px(v[2]), px(v[1]), px(v[3]));
}

// A window manager is running when the root names a check window that names itself (the
// name a manager that has gone left behind does not count), and it answers frame
// requests when it says it supports them.
bool ManagerAnswersFrameRequests(xcb_connection_t* c, xcb_window_t root, xcb_atom_t request) {
  const xcb_atom_t check = Atom(c, "_NET_SUPPORTING_WM_CHECK");
  const auto on_root = Values32(c, root, check, XCB_ATOM_WINDOW);
  if (on_root.size() != 1) return false;
  const auto on_check = Values32(c, on_root[0], check, XCB_ATOM_WINDOW);
  if (on_check.size() != 1 || on_check[0] != on_root[0]) return false;
  const auto supported = Values32(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
  return std::find(supported.begin(), supported.end(), request) != supported.end();
}

}  // namespace

QMargins ExpectedFrameMargins(QWidget* window) {
  if (window == nullptr || !window->isWindow()) return {};
  if (window->windowFlags().testFlag(Qt::FramelessWindowHint)) return {};
  xcb_connection_t* c = Connection();
  if (c == nullptr) return {};
  // The manager judges the frame by what the window says of itself (its kind, its fixed
  // size, its decorations), all of which the native window carries once created.
  const auto id = static_cast<xcb_window_t>(window->winId());
  Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, id), nullptr));
  if (!tree) return {};
  const xcb_atom_t request = Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
  if (!ManagerAnswersFrameRequests(c, tree->root, request)) return {};

  xcb_delete_property(c, id, FrameExtentsAtom(c));
  xcb_client_message_event_t ask{};
  ask.response_type = XCB_CLIENT_MESSAGE;
  ask.format = 32;
  ask.window = id;
  ask.type = request;
  xcb_send_event(c, 0, tree->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&ask));
  xcb_flush(c);
  // The manager answers by setting the window's frame extents.
  QElapsedTimer clock;
  clock.start();
  do {
    if (const auto frame = FrameExtents(c, *window)) return *frame;
    QThread::msleep(1);
  } while (clock.elapsed() < kAnswerTimeoutMs);
  return {};
}

QMargins FrameMargins(const QWidget& window) {
  // Qt's copy may lag behind the manager's changes; the server's is current.
  xcb_connection_t* c = Connection();
  if (c != nullptr && window.isWindow() && window.testAttribute(Qt::WA_WState_Created)) {
    if (const auto frame = FrameExtents(c, window)) return *frame;
  }
  const QWindow* handle = window.windowHandle();
  return handle != nullptr ? handle->frameMargins() : QMargins();
}

}  // namespace tk
