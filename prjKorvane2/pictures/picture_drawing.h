// The drawing functions behind pictures.h. Each call draws afresh; generate_pictures calls
// them at build time to make the game's built-in pictures, tests use them to check that
// drawing is repeatable and that the built-in pictures are what they draw.
#pragma once

#include "picture_list.h"
#include "pictures.h"

namespace korvane {

inline constexpr int kPointingHandHotX = 12;
inline constexpr int kPointingHandHotY = 1;
inline constexpr int kOpenHandHotX = 16;
inline constexpr int kOpenHandHotY = 14;

// DrawBoardTexture(), DrawPlayer1Tile() and the rest, one for each listed picture.
#define KORVANE_DRAWING(name, draw) tk::PictureRef draw();
KORVANE_PICTURES(KORVANE_DRAWING)
#undef KORVANE_DRAWING

// The listed picture, drawn afresh.
inline tk::PictureRef Draw(PictureId id) {
  switch (id) {
#define KORVANE_DRAW_CASE(name, draw) \
  case PictureId::name:               \
    return draw();
    KORVANE_PICTURES(KORVANE_DRAW_CASE)
#undef KORVANE_DRAW_CASE
  }
  return nullptr;
}

}  // namespace korvane
