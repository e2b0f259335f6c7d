#include "user32/window_move_x11.h"

#include <QWindow>
#include <cstdint>
#include <cstring>

#include "toolkit/ui/x11_manager.h"

namespace user32::detail {

namespace {

using tk::x11::Atom;
using tk::x11::Reply;

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
  xcb_connection_t* c = tk::x11::Connection();
  if (c == nullptr) return std::nullopt;
  const auto id = static_cast<xcb_window_t>(window.winId());

  Reply<xcb_query_pointer_reply_t> pointer(
      xcb_query_pointer_reply(c, xcb_query_pointer(c, id), nullptr));
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
  if (!tk::x11::ManagerSupports(c, pointer->root, move_resize)) return false;

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
