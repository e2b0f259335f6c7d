// A minimal PNG writer for looking at pictures: 8-bit RGBA, no filtering, and deflate
// "stored" blocks, so it needs no compression library. Files come out uncompressed.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "runtime/picture.h"

namespace korvane::png {

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

// The whole PNG file; `scale` repeats each pixel scale x scale times, for small pictures.
std::vector<std::uint8_t> EncodePng(const tk::Picture& picture, int scale = 1);

// Writes the file; returns false when it cannot be written.
bool WritePng(const std::string& path, const tk::Picture& picture, int scale = 1);

}  // namespace korvane::png
