// The game's pictures: board texture, the two players' tiles, the two hand cursors, the
// application icon and the win window's speech bubble. Each is drawn by deterministic code
// when the game is built (picture_drawing.h, generate_pictures), unpacked on first use and
// then shared; every call returns the same picture.
#pragma once

#include "picture_list.h"
#include "runtime/picture.h"

namespace korvane {

// A cursor picture with the point that the pointer position stands for.
struct CursorPicture {
  tk::PictureRef picture;
  int hot_x = 0;
  int hot_y = 0;
};

// A listed picture as built into the game; the same picture on every call.
tk::PictureRef BuiltInPicture(PictureId id);

// 700 x 498, opaque: the tan board surface under the lines and locations.
tk::PictureRef BoardTexturePicture();
// 74 x 55, opaque: glossy light-blue (player 1) and pink (player 2) tiles.
tk::PictureRef Player1TilePicture();
tk::PictureRef Player2TilePicture();
// 32 x 32, 16 colours, each pixel either opaque or fully transparent.
CursorPicture PointingHandCursor();  // hot spot (12, 1), the raised finger tip
CursorPicture OpenHandCursor();      // hot spot (16, 14), the middle of the palm
// 32 x 32, opaque: the board in miniature.
tk::PictureRef AppIconPicture();
// 95 x 94, opaque: an amber speech bubble on a white ground.
tk::PictureRef SpeechBubblePicture();

}  // namespace korvane
