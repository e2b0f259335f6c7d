// The two hand cursors, drawn pixel by pixel: at 32 x 32 a hand only reads as a hand when
// every outline pixel is placed by hand. Colours are from the standard 16-colour set and
// each pixel is either opaque or fully transparent, as a 16-colour cursor allows.
#include <string_view>
#include <utility>
#include <vector>

#include "picture_drawing.h"
#include "raster.h"

namespace korvane {

namespace {

const std::vector<std::pair<char, std::uint32_t>>& CursorPalette() {
  static const std::vector<std::pair<char, std::uint32_t>> palette = {
      {'.', 0x00000000},  // transparent
      {'K', 0xFF000000},  // black outline
      {'W', 0xFFFFFFFF},  // white skin
      {'S', 0xFFC0C0C0},  // silver shading
      {'B', 0xFF0000FF},  // blue cuff
      {'N', 0xFF000080},  // navy cuff shading
  };
  return palette;
}

}  // namespace

tk::PictureRef DrawPointingHand() {
  // The index finger rises to the hot spot (12, 1); the other fingers are curled.
  static const std::vector<std::string_view> rows = {
      "................................",  // 0
      "...........KKKK.................",  // 1
      "..........KWWWWK................",  // 2
      "..........KWWWWK................",  // 3
      "..........KWWWWK................",  // 4
      "..........KWWWSK................",  // 5
      "..........KWWWSK................",  // 6
      "..........KWWWSK................",  // 7
      "..........KWWWSKKKK.............",  // 8
      "..........KWWWSKWWWKKKK.........",  // 9
      "..........KWWWSKWWSKWWWKKK......",  // 10
      "..........KWWWSKWWSKWWSKWWK.....",  // 11
      "...KKK....KWWWSKWWSKWWSKWWWK....",  // 12
      "..KWWWK...KWWWWKWWSKWWSKWWSK....",  // 13
      "..KWWWWK..KWWWWWKKWWKKWWWWSK....",  // 14
      "..KSWWWWK.KWWWWWWWWWWWWWWWSK....",  // 15
      "...KSWWWWKKWWWWWWWWWWWWWWWSK....",  // 16
      "...KSSWWWWKWWWWWWWWWWWWWWWSK....",  // 17
      "....KSWWWWWWWWWWWWWWWWWWWWSK....",  // 18
      ".....KSWWWWWWWWWWWWWWWWWWWSK....",  // 19
      "......KSWWWWWWWWWWWWWWWWWSK.....",  // 20
      ".......KSWWWWWWWWWWWWWWWWSK.....",  // 21
      "........KSWWWWWWWWWWWWWWSK......",  // 22
      "........KKKKKKKKKKKKKKKKKK......",  // 23
      "........KBBBBBBBBBBBBBBBNK......",  // 24
      "........KBBBBBBBBBBBBBBBNK......",  // 25
      "........KBBBBBBBBBBBBBBBNK......",  // 26
      "........KBBBBBBBBBBBBBBBNK......",  // 27
      "........KNNNNNNNNNNNNNNNNK......",  // 28
      "........KKKKKKKKKKKKKKKKKK......",  // 29
      "................................",  // 30
      "................................",  // 31
  };
  return raster::FromPixelArt(rows, CursorPalette());
}

tk::PictureRef DrawOpenHand() {
  // Four fingers up and the thumb out to the left; (16, 14) lies in the middle of the palm.
  static const std::vector<std::string_view> rows = {
      "................................",  // 0
      "................................",  // 1
      ".............KKK................",  // 2
      "............KWWWKKKK............",  // 3
      ".........KKKKWWWKWWWK...........",  // 4
      "........KWWWKWWWKWWWK...........",  // 5
      "........KWWWKWWWKWWWKKKK........",  // 6
      "........KWWSKWWSKWWSKWWWK.......",  // 7
      "........KWWSKWWSKWWSKWWWK.......",  // 8
      "........KWWSKWWSKWWSKWWSK.......",  // 9
      "........KWWSKWWSKWWSKWWSK.......",  // 10
      "..KKK...KWWSKWWSKWWSKWWSK.......",  // 11
      ".KWWWK..KWWSKWWSKWWSKWWSK.......",  // 12
      ".KWWWWK.KWWWWWWWWWWWWWWSK.......",  // 13
      "..KSWWWKKWWWWWWWWWWWWWWSK.......",  // 14
      "..KSWWWWKWWWWWWWWWWWWWWSK.......",  // 15
      "...KSWWWWWWWWWWWWWWWWWWSK.......",  // 16
      "....KSWWWWWWWWWWWWWWWWWSK.......",  // 17
      ".....KSWWWWWWWWWWWWWWWWSK.......",  // 18
      "......KSWWWWWWWWWWWWWWSK........",  // 19
      ".......KSWWWWWWWWWWWWWSK........",  // 20
      "........KSWWWWWWWWWWWSK.........",  // 21
      "........KKKKKKKKKKKKKKK.........",  // 22
      "........KBBBBBBBBBBBBNK.........",  // 23
      "........KBBBBBBBBBBBBNK.........",  // 24
      "........KBBBBBBBBBBBBNK.........",  // 25
      "........KBBBBBBBBBBBBNK.........",  // 26
      "........KNNNNNNNNNNNNNK.........",  // 27
      "........KKKKKKKKKKKKKKK.........",  // 28
      "................................",  // 29
      "................................",  // 30
      "................................",  // 31
  };
  return raster::FromPixelArt(rows, CursorPalette());
}

}  // namespace korvane
