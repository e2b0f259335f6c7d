#include "pictures.h"

#include "picture_drawing.h"

namespace korvane {

// Function-local statics: drawn once, thread-safe, never freed before exit.
tk::PictureRef BoardTexturePicture() {
  static const tk::PictureRef picture = DrawBoardTexture();
  return picture;
}

tk::PictureRef Player1TilePicture() {
  static const tk::PictureRef picture = DrawPlayer1Tile();
  return picture;
}

tk::PictureRef Player2TilePicture() {
  static const tk::PictureRef picture = DrawPlayer2Tile();
  return picture;
}

CursorPicture PointingHandCursor() {
  static const tk::PictureRef picture = DrawPointingHand();
  return {picture, kPointingHandHotX, kPointingHandHotY};
}

CursorPicture OpenHandCursor() {
  static const tk::PictureRef picture = DrawOpenHand();
  return {picture, kOpenHandHotX, kOpenHandHotY};
}

tk::PictureRef AppIconPicture() {
  static const tk::PictureRef picture = DrawAppIcon();
  return picture;
}

tk::PictureRef SpeechBubblePicture() {
  static const tk::PictureRef picture = DrawSpeechBubble();
  return picture;
}

}  // namespace korvane
