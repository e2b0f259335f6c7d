// The drawing functions behind pictures.h. Each call draws afresh; generate_pictures calls
// them at build time to make the game's built-in pictures, tests use them to check that
// drawing is repeatable and that the built-in pictures are what they draw.
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
