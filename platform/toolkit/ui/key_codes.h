// The runtime's key codes (the virtual-key numbers of the design's platform) for the keys
// of a Qt key event.
#pragma once

#include <cstdint>

namespace tk {

// The code of a Qt::Key; 0 for a key that has none.
std::int16_t KeyCodeOf(int qt_key);

}  // namespace tk
