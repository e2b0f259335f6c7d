// What drawing the line buffer costs per line, worked out once: the font state each line
// leaves behind, its ready-made font and metrics, its width and centred position, and how
// far its ink may reach above and below its line box. A layout stays valid while the
// lines, the font the drawing starts from, the alignment and the surface's width stay the
// same; it is keyed on their content, so a buffer rebuilt with the same lines keeps it.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <memory>
#include <vector>

#include "line_buffer.h"
#include "toolkit/ui/fonts.h"

namespace tickerell {

struct LaidOutLine {
  tk::FontSpec font;  // the surface's font once this line's settings are applied
  std::shared_ptr<const QFont> qfont;
  std::shared_ptr<const QFontMetricsF> metrics;
  QString text;
  OleColor color = 0;
  float x = 0;         // CurrentX before printing, when centred
  float height = 0;    // how far Print moves down
  double ink_top = 0;  // ink extent relative to the line's top, with a margin
  double ink_bottom = 0;
};

// The key of a layout: everything the layout is computed from.
struct LayoutKey {
  std::vector<BufferLine> lines;
  tk::FontSpec start_font;
  bool centred = false;
  float scale_width = 0;
};

class LineLayout {
 public:
  // True when the layout was built from exactly these inputs.
  bool Matches(const LineBufferArray& buffer, int count, const tk::FontSpec& start_font,
               bool centred, float scale_width) const;
  void Build(const LineBufferArray& buffer, int count, const tk::FontSpec& start_font, bool centred,
             float scale_width);
  const std::vector<LaidOutLine>& lines() const { return lines_; }

 private:
  bool built_ = false;
  LayoutKey key_;
  std::vector<LaidOutLine> lines_;
};

// Applies one line's settings to the surface's font in the control's order: Bold,
// Charset, Italic, Name, Size only when above 0, Strikethrough, Underline. Weight is never
// applied.
void ApplyLineFormat(tk::FontSpec& font, const LineFormat& format);

}  // namespace tickerell
