#include "toolkit/ui/x11_manager.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstring>

namespace tk::x11 {

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

std::vector<std::uint32_t> Values32(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property,
                                    xcb_atom_t type) {
  Reply<xcb_get_property_reply_t> r(
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 4096), nullptr));
  if (!r || r->format != 32 || r->type != type) return {};
  const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(r.get()));
  return std::vector<std::uint32_t>(v, v + xcb_get_property_value_length(r.get()) / 4);
}

bool ManagerSupports(xcb_connection_t* c, xcb_window_t root, xcb_atom_t hint) {
  if (hint == XCB_ATOM_NONE) return false;
  const xcb_atom_t check = Atom(c, "_NET_SUPPORTING_WM_CHECK");
  const auto on_root = Values32(c, root, check, XCB_ATOM_WINDOW);
  if (on_root.size() != 1) return false;
  const auto on_check = Values32(c, on_root[0], check, XCB_ATOM_WINDOW);
  if (on_check.size() != 1 || on_check[0] != on_root[0]) return false;
  const auto supported = Values32(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
  return std::find(supported.begin(), supported.end(), hint) != supported.end();
}

}  // namespace tk::x11
