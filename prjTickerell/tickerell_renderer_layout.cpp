#include "tickerell_renderer_layout.h"

#include <algorithm>

namespace tickerell {

namespace {

bool SameFont(const tk::FontSpec& a, const tk::FontSpec& b) {
  return a.name == b.name && a.size == b.size && a.bold == b.bold && a.italic == b.italic &&
         a.underline == b.underline && a.strikethrough == b.strikethrough && a.charset == b.charset;
}

struct MadeFont {
  tk::FontSpec settings;
  std::shared_ptr<const QFont> font;
  std::shared_ptr<const QFontMetricsF> metrics;
};

// Lines mostly share a handful of fonts: make each once.
const MadeFont& FontFor(std::vector<MadeFont>& made, const tk::FontSpec& settings) {
  for (const MadeFont& m : made)
    if (SameFont(m.settings, settings)) return m;
  auto font = std::make_shared<const QFont>(tk::ToQFont(settings));
  auto metrics = std::make_shared<const QFontMetricsF>(*font);
  made.push_back({settings, std::move(font), std::move(metrics)});
  return made.back();
}

}  // namespace

void ApplyLineFormat(tk::FontSpec& font, const LineFormat& format) {
  font.bold = format.Bold != 0;
  font.charset = format.Charset;
  font.italic = format.Italic != 0;
  font.name = format.Name;
  if (format.Size > 0) font.size = format.Size;
  font.strikethrough = format.Strikethrough != 0;
  font.underline = format.Underline != 0;
}

bool LineLayout::Matches(const LineBufferArray& buffer, int count, const tk::FontSpec& start_font,
                         bool centred, float scale_width) const {
  if (!built_ || key_.centred != centred || key_.scale_width != scale_width ||
      !SameFont(key_.start_font, start_font) || static_cast<int>(key_.lines.size()) != count)
    return false;
  for (int i = 0; i < count; ++i)
    if (!(key_.lines[static_cast<std::size_t>(i)] == buffer[i + 1])) return false;
  return true;
}

void LineLayout::Build(const LineBufferArray& buffer, int count, const tk::FontSpec& start_font,
                       bool centred, float scale_width) {
  built_ = false;
  key_.lines.assign(static_cast<std::size_t>(count), BufferLine{});
  key_.start_font = start_font;
  key_.centred = centred;
  key_.scale_width = scale_width;
  lines_.clear();
  lines_.reserve(static_cast<std::size_t>(count));

  std::vector<MadeFont> made;
  tk::FontSpec font = start_font;
  for (int i = 0; i < count; ++i) {
    const BufferLine& source = buffer[i + 1];
    key_.lines[static_cast<std::size_t>(i)] = source;
    ApplyLineFormat(font, source.Format);
    const MadeFont& m = FontFor(made, font);

    LaidOutLine line;
    line.font = font;
    line.qfont = m.font;
    line.metrics = m.metrics;
    line.text = QString::fromStdString(source.Text);
    line.color = source.Color;
    const QFontMetricsF& fm = *m.metrics;
    line.height = static_cast<float>(fm.height());
    if (centred) {
      // As the surface measures it: TextWidth narrows the advance to single precision.
      const float width = static_cast<float>(fm.horizontalAdvance(line.text));
      line.x = (scale_width - width) / 2;
    }
    // Glyphs may reach past the line box (accents, italics, underlines); a whole line of
    // margin on either side keeps culling safe for any face.
    const double margin = fm.height() + 2;
    double top = 0, bottom = fm.height();
    if (!line.text.isEmpty()) {
      const QRectF ink = fm.boundingRect(line.text);
      top = std::min(top, fm.ascent() + ink.top());
      bottom = std::max(bottom, fm.ascent() + ink.bottom());
    }
    line.ink_top = top - margin;
    line.ink_bottom = bottom + margin;
    lines_.push_back(std::move(line));
  }
  built_ = true;
}

}  // namespace tickerell
