#include "text_layout.h"

namespace quillon {

namespace {

// Greedy wrap of one paragraph (no line breaks inside).
void WrapParagraph(std::string_view text, int width, const MeasureText& measure,
                   std::vector<std::string>& out) {
  std::string line;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t start = text.find_first_not_of(' ', i);
    if (start == std::string_view::npos) break;
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(start, end - start);
    // Blanks between words stay as written.
    std::string candidate = line.empty() ? std::string(word) : line + std::string(text.substr(i, end - i));
    if (!line.empty() && measure(candidate) > width) {
      out.push_back(line);
      line = std::string(word);
    } else {
      line = std::move(candidate);
    }
    i = end;
  }
  out.push_back(line);
}

}  // namespace

std::vector<std::string> BreakLines(std::string_view text, int width, bool singleLine,
                                    const MeasureText& measure) {
  std::vector<std::string> lines;
  if (singleLine) {
    std::string one(text);
    for (char& c : one) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    lines.push_back(one);
    return lines;
  }
  std::size_t i = 0;
  while (true) {
    std::size_t end = text.find_first_of("\r\n", i);
    const std::string_view paragraph =
        text.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
    WrapParagraph(paragraph, width, measure, lines);
    if (end == std::string_view::npos) break;
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    i = end + 1;
  }
  return lines;
}

std::vector<PlacedLine> LayoutText(std::string_view text, const TextBox& box, int flags, int lineHeight,
                                   const MeasureText& measure) {
  using namespace text_format;
  const bool singleLine = (flags & kSingleLine) != 0;
  const auto lines = BreakLines(text, box.Right - box.Left, singleLine, measure);
  int y = box.Top;
  if (singleLine && (flags & kBottom)) {
    y = box.Bottom - lineHeight;
  } else if (singleLine && (flags & kVCenter)) {
    y = box.Top + (box.Bottom - box.Top - lineHeight) / 2;
  }
  std::vector<PlacedLine> placed;
  for (const auto& line : lines) {
    const int w = measure(line);
    int x = box.Left;
    if (flags & kRight) {
      x = box.Right - w;
    } else if (flags & kCenter) {
      x = box.Left + (box.Right - box.Left - w) / 2;
    }
    placed.push_back({line, x, y});
    y += lineHeight;
  }
  return placed;
}

}  // namespace quillon
