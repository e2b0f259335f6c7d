// Colour values as the runtime keeps them: 0x00BBGGRR, or a system colour when the top
// bit is set (its low byte names which).
#pragma once

#include <QColor>
#include <cstdint>

namespace tk {

using OleColor = std::uint32_t;

inline constexpr OleColor RGB(int r, int g, int b) {
  return static_cast<OleColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

inline constexpr OleColor kSysButtonFace = 0x8000000F;
inline constexpr OleColor kSysButtonText = 0x80000012;
inline constexpr OleColor kSysMenu = 0x80000004;
inline constexpr OleColor kSysWindowText = 0x80000008;

QColor ToQColor(OleColor color);

}  // namespace tk
