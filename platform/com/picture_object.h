// The picture object that crosses the automation boundary: a reference-counted IDispatch
// over a shared tk::Picture. Its properties (read-only): Handle 0 (non-zero exactly when
// there is an image), Width 3 and Height 4 (HIMETRIC, 0.01 mm, at 96 pixels per inch) and
// Type 5 (0 none, 1 bitmap). The empty standard picture holds no image.
#pragma once

#include "com/dispatch.h"
#include "com/unknown.h"
#include "runtime/picture.h"

namespace com {

struct IPictureDisp : IDispatch {
  using Base = IDispatch;
  static constexpr IID kIid{
      0x7BF80981, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

  // The image itself for code that draws it; null for the empty picture.
  virtual tk::PictureRef picture() const = 0;
};

inline constexpr DISPID DISPID_PICT_HANDLE = 0;
inline constexpr DISPID DISPID_PICT_WIDTH = 3;
inline constexpr DISPID DISPID_PICT_HEIGHT = 4;
inline constexpr DISPID DISPID_PICT_TYPE = 5;

ComPtr<IPictureDisp> CreatePicture(tk::PictureRef picture);
ComPtr<IPictureDisp> EmptyPicture();  // a new empty standard picture

// The image of a picture object given as a value (by reference or not); null for Nothing,
// the empty picture, or an object that is no picture.
tk::PictureRef PictureOf(const Variant& value);

// Pixels to HIMETRIC at 96 pixels per inch, rounded.
int PixelsToHimetric(int pixels);

}  // namespace com
