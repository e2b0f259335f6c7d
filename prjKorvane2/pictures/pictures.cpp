#include "pictures.h"

#include <cstdint>

#include "embedded_picture.h"
#include "picture_drawing.h"

// Written by generate_pictures at build time; see embedded_picture.h.
#define KORVANE_EMBEDDED_PICTURE(name, draw)               \
  extern "C" const std::uint32_t korvane_picture_##name[]; \
  extern "C" const std::uint64_t korvane_picture_##name##_size;
KORVANE_PICTURES(KORVANE_EMBEDDED_PICTURE)
#undef KORVANE_EMBEDDED_PICTURE

namespace korvane {

// The pictures are drawn when the game is built, not when it starts. Function-local
// statics: each unpacked once, on first use, thread-safe, never freed before exit.
tk::PictureRef BuiltInPicture(PictureId id) {
  switch (id) {
#define KORVANE_BUILT_IN_CASE(name, draw)                                        \
  case PictureId::name: {                                                        \
    static const tk::PictureRef picture =                                        \
        embedded::Unpack(korvane_picture_##name, korvane_picture_##name##_size); \
    return picture;                                                              \
  }
    KORVANE_PICTURES(KORVANE_BUILT_IN_CASE)
#undef KORVANE_BUILT_IN_CASE
  }
  return nullptr;
}

tk::PictureRef BoardTexturePicture() {
  return BuiltInPicture(PictureId::board_texture);
}

tk::PictureRef Player1TilePicture() {
  return BuiltInPicture(PictureId::player1_tile);
}

tk::PictureRef Player2TilePicture() {
  return BuiltInPicture(PictureId::player2_tile);
}

CursorPicture PointingHandCursor() {
  return {BuiltInPicture(PictureId::pointing_hand), kPointingHandHotX, kPointingHandHotY};
}

CursorPicture OpenHandCursor() {
  return {BuiltInPicture(PictureId::open_hand), kOpenHandHotX, kOpenHandHotY};
}

tk::PictureRef AppIconPicture() {
  return BuiltInPicture(PictureId::app_icon);
}

tk::PictureRef SpeechBubblePicture() {
  return BuiltInPicture(PictureId::speech_bubble);
}

}  // namespace korvane
