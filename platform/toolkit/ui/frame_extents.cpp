#include "frame_extents.h"

#include <QElapsedTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <cmath>
#include <cstdint>
#include <optional>

#include "x11_manager.h"

namespace tk {
namespace {

// How long a window manager that says it answers frame requests is given to do so.
constexpr int kAnswerTimeoutMs = 1000;

using x11::Atom;
using x11::Connection;
using x11::Reply;
using x11::Values32;

xcb_atom_t FrameExtentsAtom(xcb_connection_t* c) {
  static const xcb_atom_t atom = Atom(c, "_NET_FRAME_EXTENTS");
  return atom;
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
  if (!x11::ManagerSupports(c, tree->root, request)) return {};

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
