// The game's pictures as drawn at build time (generate_pictures) and linked into the
// program as read-only data. Each is a blob of two 32-bit words, width and height, then
// width x height pixels 0xAARRGGBB row by row from the top, all in the byte order of the
// machine that builds and runs the game.
#pragma once

#include <cstdint>

#include "runtime/picture.h"

namespace korvane::embedded {

// Picture NAME is the blob at symbol korvane_picture_NAME, whose length in bytes is the
// 64-bit word at korvane_picture_NAME_size.
inline constexpr const char* kSymbolPrefix = "korvane_picture_";

// The picture in the blob; a blob that does not hold what its header says is a broken
// build and ends the program.
tk::PictureRef Unpack(const std::uint32_t* blob, std::uint64_t bytes);

}  // namespace korvane::embedded
