#include "toolkit/ui/fonts.h"

#include <QStringList>
#include <cmath>

namespace tk {

void InstallFontSubstitutes() {
  static const bool done = [] {
    QFont::insertSubstitutions("MS Sans Serif", QStringList{"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions("Arial", QStringList{"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions("Tahoma", QStringList{"DejaVu Sans", "Liberation Sans"});
    QFont::insertSubstitutions("Verdana", QStringList{"DejaVu Sans", "Liberation Sans"});
    QFont::insertSubstitutions("Comic Sans MS", QStringList{"Comic Neue", "DejaVu Sans"});
    QFont::insertSubstitutions("Times New Roman", QStringList{"Liberation Serif", "DejaVu Serif"});
    QFont::insertSubstitutions("Courier New", QStringList{"Liberation Mono", "DejaVu Sans Mono"});
    return true;
  }();
  (void)done;
}

QFont ToQFont(const FontSpec& font) {
  InstallFontSubstitutes();
  QFont f(QString::fromStdString(font.name));
  // Pixel sizes keep the layout the same whatever dpi the display reports.
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 96.0 / 72.0))));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikethrough);
  return f;
}

}  // namespace tk
