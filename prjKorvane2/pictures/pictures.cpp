#include "pictures.h"

#include <cstdint>

#include "embedded_picture.h"
#include "picture_drawing.h"

// Written by generate_pictures at build time; see embedded_picture.h.
#define KORVANE_EMBEDDED_PICTURE(name)                     \
  extern "C" const std::uint32_t korvane_picture_##name[]; \
  extern "C" const std::uint64_t korvane_picture_##name##_size;
KORVANE_EMBEDDED_PICTURE(board_texture)
KORVANE_EMBEDDED_PICTURE(player1_tile)
KORVANE_EMBEDDED_PICTURE(player2_tile)
KORVANE_EMBEDDED_PICTURE(pointing_hand)
KORVANE_EMBEDDED_PICTURE(open_hand)
KORVANE_EMBEDDED_PICTURE(app_icon)
KORVANE_EMBEDDED_PICTURE(speech_bubble)
#undef KORVANE_EMBEDDED_PICTURE

#define KORVANE_UNPACK(name) embedded::Unpack(korvane_picture_##name, korvane_picture_##name##_size)

namespace korvane {

// The pictures are drawn when the game is built, not when it starts. Function-local
// statics: unpacked once, thread-safe, never freed before exit.
tk::PictureRef BoardTexturePicture() {
  static const tk::PictureRef picture = KORVANE_UNPACK(board_texture);
  return picture;
}

tk::PictureRef Player1TilePicture() {
  static const tk::PictureRef picture = KORVANE_UNPACK(player1_tile);
  return picture;
}

tk::PictureRef Player2TilePicture() {
  static const tk::PictureRef picture = KORVANE_UNPACK(player2_tile);
  return picture;
}

CursorPicture PointingHandCursor() {
  static const tk::PictureRef picture = KORVANE_UNPACK(pointing_hand);
  return {picture, kPointingHandHotX, kPointingHandHotY};
}

CursorPicture OpenHandCursor() {
  static const tk::PictureRef picture = KORVANE_UNPACK(open_hand);
  return {picture, kOpenHandHotX, kOpenHandHotY};
}

tk::PictureRef AppIconPicture() {
  static const tk::PictureRef picture = KORVANE_UNPACK(app_icon);
  return picture;
}

tk::PictureRef SpeechBubblePicture() {
  static const tk::PictureRef picture = KORVANE_UNPACK(speech_bubble);
  return picture;
}

}  // namespace korvane
