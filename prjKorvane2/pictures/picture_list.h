// The game's pictures, listed once: each entry names a picture (its built-in data, and the
// file dump_pictures writes) and the function that draws it. The build draws them
// (generate_pictures), the game reads them back (pictures.cpp), and dump_pictures and the
// tests go through the same list, so a picture is added here and nowhere else.
#pragma once

#define KORVANE_PICTURES(X)          \
  X(board_texture, DrawBoardTexture) \
  X(player1_tile, DrawPlayer1Tile)   \
  X(player2_tile, DrawPlayer2Tile)   \
  X(pointing_hand, DrawPointingHand) \
  X(open_hand, DrawOpenHand)         \
  X(app_icon, DrawAppIcon)           \
  X(speech_bubble, DrawSpeechBubble)

namespace korvane {

enum class PictureId {
#define KORVANE_PICTURE_ID(name, draw) name,
  KORVANE_PICTURES(KORVANE_PICTURE_ID)
#undef KORVANE_PICTURE_ID
};

struct ListedPicture {
  PictureId id;
  const char* name;
};

inline constexpr ListedPicture kPictureList[] = {
#define KORVANE_LISTED_PICTURE(name, draw) {PictureId::name, #name},
    KORVANE_PICTURES(KORVANE_LISTED_PICTURE)
#undef KORVANE_LISTED_PICTURE
};

}  // namespace korvane
