// The caption control's drawing written out line by line: every line's font set, the line
// measured and printed, with no layout kept between ticks. The renderer's tests hold its
// output against this, and its benchmark times a tick against it.
#pragma once

#include <cstdint>

#include "tickerell_state.h"
#include "toolkit/activex/user_control.h"

namespace tickerell::testing {

// Draws the whole buffer with the first line's top at `y` (twips below the surface's top).
inline void LiteralDraw(tk::UserControl& surface, const TickerellState& state, std::int32_t y) {
  surface.SetCurrentY(static_cast<float>(y));
  for (int i = 1; i <= state.LineCount; ++i) {
    const BufferLine& line = state.LineBuffer[i];
    tk::FontSpec& font = surface.Font();
    font.bold = line.Format.Bold != 0;
    font.charset = line.Format.Charset;
    font.italic = line.Format.Italic != 0;
    font.name = line.Format.Name;
    if (line.Format.Size > 0) font.size = line.Format.Size;
    font.strikethrough = line.Format.Strikethrough != 0;
    font.underline = line.Format.Underline != 0;
    surface.SetCurrentY(surface.CurrentY() + 2);
    if (state.m_Alignment == 1)
      surface.SetCurrentX((surface.ScaleWidth() - surface.TextWidth(line.Text)) / 2);
    surface.SetForeColor(static_cast<tk::OleColor>(line.Color));
    surface.Print(line.Text);
  }
}

}  // namespace tickerell::testing
