// dump_pictures FOLDER [SCALE]: writes each of the game's pictures to FOLDER as a PNG file,
// every pixel repeated SCALE x SCALE times (default 1), to look at them outside the game.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "pictures.h"
#include "png_writer.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s FOLDER [SCALE]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const int scale = argc == 3 ? std::atoi(argv[2]) : 1;
  const std::vector<std::pair<const char*, tk::PictureRef>> pictures = {
      {"board_texture", korvane::BoardTexturePicture()},
      {"player1_tile", korvane::Player1TilePicture()},
      {"player2_tile", korvane::Player2TilePicture()},
      {"pointing_hand", korvane::PointingHandCursor().picture},
      {"open_hand", korvane::OpenHandCursor().picture},
      {"app_icon", korvane::AppIconPicture()},
      {"speech_bubble", korvane::SpeechBubblePicture()},
  };
  for (const auto& [name, picture] : pictures) {
    const std::string path = folder + "/" + name + ".png";
    if (!korvane::png::WritePng(path, *picture, scale)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
