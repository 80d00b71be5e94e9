#pragma once
// Lines of system-font text in a rectangle: word wrap and the alignment
// flags of DrawFont (the platform's text-format values).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

namespace text_format {
inline constexpr int kCenter = 1;
inline constexpr int kRight = 2;
inline constexpr int kVCenter = 4;
inline constexpr int kBottom = 8;
inline constexpr int kWordBreak = 16;
inline constexpr int kSingleLine = 32;
inline constexpr int kNoClip = 256;
}  // namespace text_format

struct PlacedLine {
  std::string Text;
  int X = 0;  // left edge, back-buffer pixels
  int Y = 0;  // top edge
};

struct TextBox {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

using MeasureText = std::function<int(std::string_view)>;

// Breaks text into lines no wider than width where spaces allow (a word wider
// than the box keeps a line of its own); line breaks in the text always
// break. With single line everything stays on one line.
std::vector<std::string> BreakLines(std::string_view text, int width, bool singleLine,
                                    const MeasureText& measure);

// The lines placed in the box by the flags. Vertical centring and bottom
// alignment apply to single-line text only, as the platform's text service
// does; wrapped text starts at the top.
std::vector<PlacedLine> LayoutText(std::string_view text, const TextBox& box, int flags, int lineHeight,
                                   const MeasureText& measure);

}  // namespace quillon
