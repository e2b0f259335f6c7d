// The few X requests the toolkit and the window-system calls make beside Qt: the
// connection Qt holds, atoms, 32-bit properties, and whether a window manager runs and
// supports a given hint.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace tk::x11 {

struct FreeReply {
  void operator()(void* p) const { std::free(p); }
};
// A reply of the X server, freed when it goes.
template <class T>
using Reply = std::unique_ptr<T, FreeReply>;

// Qt's connection to the X server; null when the program does not run on one.
xcb_connection_t* Connection();

xcb_atom_t Atom(xcb_connection_t* c, const char* name);

// A property holding 32-bit values of the given type; empty when absent or of another kind.
std::vector<std::uint32_t> Values32(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property,
                                    xcb_atom_t type);

// Whether a window manager runs (the root names a check window that names itself; the
// name a manager that has gone left behind does not count) and lists `hint` among those
// it supports.
bool ManagerSupports(xcb_connection_t* c, xcb_window_t root, xcb_atom_t hint);

}  // namespace tk::x11
