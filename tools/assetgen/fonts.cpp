// The two bitmap fonts in the engine's default letter-table layout (11 x 11
// cells of 22 x 22 at a pitch of 23 from (1, 1)) and the "font.ini" that
// describes them. Every glyph is centred in its cell: the engine advances by
// one whole cell per character, so the text reads as evenly spaced.

#include <algorithm>
#include <string>
#include <vector>

#include "generators.h"
#include "textures.h"

namespace assetgen {

namespace {

constexpr int kCell = 22, kPitch = 23, kCells = 121, kSheet = 256;

std::vector<std::string> DefaultSigns() {
  std::vector<std::string> signs(kCells, " ");
  for (int i = 0; i < 10; ++i) signs[1 + i] = std::string(1, static_cast<char>('0' + i));
  for (int i = 0; i < 26; ++i) {
    signs[11 + i] = std::string(1, static_cast<char>('A' + i));
    signs[44 + i] = std::string(1, static_cast<char>('a' + i));
  }
  const char* marks[] = {".", ",", ":", ";", "'", "\"", "-", "+", "\\", "/", "*",      "=", "(",      ")",
                         "[", "]", "<", ">", "_", "!",  "?", "#", "&",  "$", "\u20ac", "%", "\u00a9", "@"};
  for (int i = 0; i < 28; ++i) signs[77 + i] = marks[i];
  return signs;
}

struct FontLook {
  Rgb top, bottom, outline;
  double outlineWidth;
};

void Glyph(cairo_t* cr, const std::string& sign, int cellX, int cellY, const FontLook& look) {
  cairo_text_extents_t ext;
  cairo_text_extents(cr, sign.c_str(), &ext);
  const double room = kCell - 2 * look.outlineWidth - 1;
  const double squeeze = ext.width > room ? room / ext.width : 1.0;
  cairo_save(cr);
  cairo_rectangle(cr, cellX, cellY, kCell, kCell);
  cairo_clip(cr);
  cairo_translate(cr, cellX + kCell / 2.0, cellY + 16.5);
  cairo_scale(cr, squeeze, 1.0);
  cairo_move_to(cr, -(ext.x_bearing + ext.width / 2), 0);
  cairo_text_path(cr, sign.c_str());
  cairo_restore(cr);
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, look.outline);
  cairo_set_line_width(cr, look.outlineWidth * 2);
  cairo_stroke_preserve(cr);
  FillLinear(cr, 0, cellY + 4, 0, cellY + 17, {{0, look.top}, {1, look.bottom}});
  cairo_restore(cr);
}

void FontSheet(const path& outDir, const std::string& file, const FontLook& look, const Lettering& font) {
  Canvas c(kSheet, kSheet);
  cairo_t* cr = c.cr();
  font.Use(cr, Weight::Bold, 17);
  const std::vector<std::string> signs = DefaultSigns();
  for (int k = 0; k < kCells; ++k) {
    if (signs[k] == " ") continue;
    Glyph(cr, signs[k], (k % 11) * kPitch + 1, (k / 11) * kPitch + 1, look);
  }
  SaveKeyed(outDir, file, c, look.outline);
}

void FontIni(const path& outDir) {
  const std::vector<std::string> signs = DefaultSigns();
  std::string ini = "[Signs value]\r\n";
  for (int k = 0; k < kCells; ++k) ini += std::to_string(k) + "=" + signs[k] + "\r\n";
  ini += "[Signs position]\r\n";
  for (int k = 0; k < kCells; ++k)
    ini += std::to_string(k) + "=" + std::to_string((k % 11) * kPitch + 1) + "x" +
           std::to_string((k / 11) * kPitch + 1) + "\r\n";
  ini += "[Letter sizes]\r\nWidth=22\r\nHeight=22\r\n";
  WriteBytes(outDir, "font.ini", Bytes(ini.begin(), ini.end()));
}

}  // namespace

void GenerateFonts(const path& outDir) {
  const Lettering font;
  // The game colours bitmap text by multiplying, so the fill stays light; the
  // navy outline is what makes the blue font blue.
  FontSheet(outDir, "fonts/blue.bmp", {{1, 1, 1}, Hex(0xa8d2ff), Hex(0x1b2f6b), 1.6}, font);
  FontSheet(outDir, "fonts/default_num.bmp", {{1, 1, 1}, Hex(0xe8e8e8), Hex(0x181818), 1.2}, font);
  FontIni(outDir);
}

}  // namespace assetgen
