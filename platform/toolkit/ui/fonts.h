// Fonts as the runtime describes them, and the faces this machine offers in their place.
#pragma once

#include <QFont>
#include <string>

namespace tk {

struct FontSpec {
  std::string name = "MS Sans Serif";
  double size = 8.25;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int charset = 0;
};

// A face named by a desktop that this machine lacks is drawn with the nearest one it
// has, at the same point size (at 96 dpi) and weight.
QFont ToQFont(const FontSpec& font);

// Registers the substitute faces once; QFont then resolves the design names itself.
void InstallFontSubstitutes();

}  // namespace tk
