// Switching a lock key's toggle state on in the program thread's own key-state table.
#pragma once

#include <array>
#include <cstdint>

#include "user32/user32.h"

namespace modCapsNumScrollOnOff {

using user32::GetKeyboardState;
using user32::SetKeyboardState;

// The buffer between reading and writing the key-state table, one entry per virtual key.
extern std::array<std::uint8_t, 256> KeyStates;

// Sets the key's entry to toggled-on and not pressed. A key outside 0 to 255 raises
// Subscript out of range (9) and the table is not written.
void SetLockKeyOn(const std::int32_t& VirtualKey);

}  // namespace modCapsNumScrollOnOff
