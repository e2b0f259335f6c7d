// The drawing functions behind pictures.h. Each call draws afresh; the game uses the
// cached pictures of pictures.h, tests use these to check that drawing is repeatable.
#pragma once

#include "pictures.h"

namespace korvane {

inline constexpr int kPointingHandHotX = 12;
inline constexpr int kPointingHandHotY = 1;
inline constexpr int kOpenHandHotX = 16;
inline constexpr int kOpenHandHotY = 14;

tk::PictureRef DrawBoardTexture();
tk::PictureRef DrawPlayer1Tile();
tk::PictureRef DrawPlayer2Tile();
tk::PictureRef DrawPointingHand();
tk::PictureRef DrawOpenHand();
tk::PictureRef DrawAppIcon();
tk::PictureRef DrawSpeechBubble();

}  // namespace korvane
