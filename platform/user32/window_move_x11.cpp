#include "window_move_x11.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace user32::detail {

namespace {

template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply>
ReplyPtr<Reply> Own(Reply* reply) {
  return ReplyPtr<Reply>(reply, &std::free);
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  auto reply = Own(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Whether the window manager lists the move request among the hints it supports.
bool ManagerOffersMove(xcb_connection_t* c, xcb_window_t root, xcb_atom_t move_resize) {
  const xcb_atom_t supported = Atom(c, "_NET_SUPPORTED");
  if (supported == XCB_ATOM_NONE || move_resize == XCB_ATOM_NONE) return false;
  auto reply = Own(xcb_get_property_reply(
      c, xcb_get_property(c, 0, root, supported, XCB_ATOM_ATOM, 0, 4096), nullptr));
  if (!reply || reply->format != 32) return false;
  const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  const int count = xcb_get_property_value_length(reply.get()) / 4;
  for (int i = 0; i < count; ++i) {
    if (atoms[i] == move_resize) return true;
  }
  return false;
}

// The X button held now that is to end a move begun by no known press. Where several
// are held, the last of left, middle, right is named: a request that names none may run
// no move at all.
std::optional<int> HeldButton(std::uint16_t mask) {
  std::optional<int> held;
  for (int i = 1; i <= 3; ++i) {
    if ((mask & (XCB_BUTTON_MASK_1 << (i - 1))) != 0) held = i;
  }
  return held;
}

}  // namespace

std::optional<bool> StartX11Move(QWindow& window, std::optional<MovePress> press) {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) return std::nullopt;
  xcb_connection_t* c = x11->connection();
  const auto id = static_cast<xcb_window_t>(window.winId());

  auto pointer = Own(xcb_query_pointer_reply(c, xcb_query_pointer(c, id), nullptr));
  if (!pointer) return false;
  if (!press) {
    const std::optional<int> held = HeldButton(pointer->mask);
    if (!held) return false;
    press = MovePress{QPoint(pointer->root_x, pointer->root_y), *held};
  }
  if (press->button < 1 || press->button > 3 ||
      (pointer->mask & (XCB_BUTTON_MASK_1 << (press->button - 1))) == 0)
    return false;
  const xcb_atom_t move_resize = Atom(c, "_NET_WM_MOVERESIZE");
  if (!ManagerOffersMove(c, pointer->root, move_resize)) return false;

  // The manager takes the pointer for the move; the press gave it to this program.
  xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
  xcb_client_message_event_t ev;
  std::memset(&ev, 0, sizeof ev);
  ev.response_type = XCB_CLIENT_MESSAGE;
  ev.format = 32;
  ev.window = id;
  ev.type = move_resize;
  // From the press: the window follows the pointer's travel since it went down, however
  // far the pointer has gone before this request arrives.
  ev.data.data32[0] = static_cast<std::uint32_t>(press->screen_px.x());
  ev.data.data32[1] = static_cast<std::uint32_t>(press->screen_px.y());
  ev.data.data32[2] = 8;  // move
  ev.data.data32[3] = static_cast<std::uint32_t>(press->button);
  ev.data.data32[4] = 1;  // asked for by an application
  xcb_send_event(c, 0, pointer->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&ev));
  xcb_flush(c);
  return true;
}

}  // namespace user32::detail
