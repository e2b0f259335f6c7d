#include "modCapsNumScrollOnOff.h"

#include "runtime/errors.h"

namespace modCapsNumScrollOnOff {

std::array<std::uint8_t, 256> KeyStates{};

void SetLockKeyOn(const std::int32_t& VirtualKey) {
  GetKeyboardState(KeyStates.data());
  if (VirtualKey < 0 || VirtualKey > 255) tk::Raise(tk::kSubscriptOutOfRange);
  KeyStates[static_cast<std::size_t>(VirtualKey)] = 1;
  SetKeyboardState(KeyStates.data());
}

}  // namespace modCapsNumScrollOnOff
