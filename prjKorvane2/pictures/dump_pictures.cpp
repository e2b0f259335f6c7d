// dump_pictures FOLDER [SCALE]: writes each of the game's pictures to FOLDER as a PNG file,
// every pixel repeated SCALE x SCALE times (default 1), to look at them outside the game.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "picture_list.h"
#include "pictures.h"
#include "png_writer.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s FOLDER [SCALE]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const int scale = argc == 3 ? std::atoi(argv[2]) : 1;
  for (const korvane::ListedPicture& listed : korvane::kPictureList) {
    const std::string path = folder + "/" + listed.name + ".png";
    if (!korvane::png::WritePng(path, *korvane::BuiltInPicture(listed.id), scale)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
