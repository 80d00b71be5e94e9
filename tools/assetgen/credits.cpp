// The credits screen: four headings, thirteen lines naming who and what made
// the game (the project and the free software it stands on, nobody
// invented), the title line, a closing notice and two logos.

#include <cmath>
#include <string>

#include "textures.h"

namespace assetgen {

namespace {

constexpr const char* kFolder = "textures/menu/credits/";

void Line(const path& outDir, const std::string& file, const std::string& text, bool heading,
          const Lettering& font) {
  Canvas c(512, 64);
  cairo_t* cr = c.cr();
  // Drawn at half size in the game: big letters stay readable.
  const double size = heading ? 40 : 34;
  font.Use(cr, Weight::Bold, size);
  const double w = TextWidth(cr, text);
  if (w > 490) font.Use(cr, Weight::Bold, size * 490 / w);
  TextStyle style;
  style.outlineWidth = 3;
  style.shadow = 2;
  if (heading) {
    style.top = Hex(0xfff6a0);
    style.bottom = Hex(0xff9a1e);
  }
  StyledText(cr, text, 256, 46, Align::Center, style);
  SaveTexture(outDir, std::string(kFolder) + file, c);
}

void Pebble(cairo_t* cr, double cx, double cy, double r) { EllipsePath(cr, cx, cy, r, r * 0.78); }

}  // namespace

// The project's own mark: three stacked pebbles and the name.
void DrawProjectMark(cairo_t* cr, double cx, double cy, double width, const Lettering& font, Rgb ink) {
  font.Use(cr, Weight::Bold, 30);
  const double scale = width / (48 + TextWidth(cr, "pebblerun"));
  cairo_save(cr);
  cairo_translate(cr, cx - width / 2, cy - 26 * scale);
  cairo_scale(cr, scale, scale);
  const Rgb pebbles[] = {Hex(0x3f8ff0), Hex(0x52c03c), Hex(0xf79a22)};
  const double py[] = {40, 24, 10}, pr[] = {17, 13, 9};
  for (int i = 0; i < 3; ++i) {
    Pebble(cr, 22, py[i], pr[i]);
    SetColor(cr, pebbles[i]);
    cairo_fill_preserve(cr);
    SetColor(cr, Shade(pebbles[i], 0.5));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    Pebble(cr, 22 - pr[i] * 0.3, py[i] - pr[i] * 0.3, pr[i] * 0.35);
    SetColor(cr, {1, 1, 1}, 0.6);
    cairo_fill(cr);
  }
  font.Use(cr, Weight::Bold, 30);
  PlainText(cr, "pebblerun", 46, 44, Align::Left, ink);
  cairo_restore(cr);
}

void MakeCredits(const path& outDir, const Lettering& font) {
  Line(outDir, "c_programming.dds", "PROGRAMMING", true, font);
  Line(outDir, "c_programming_1.dds", "The Pebblerun developers", false, font);
  Line(outDir, "c_graphics.dds", "GRAPHICS", true, font);
  Line(outDir, "c_graphics_1.dds", "Drawn in code by assetgen", false, font);
  Line(outDir, "c_graphics_2.dds", "with the Cairo graphics library", false, font);
  Line(outDir, "c_graphics_3.dds", "Lettering: DejaVu Sans", false, font);
  Line(outDir, "c_graphics_4.dds", "Art direction: the Pebblerun team", false, font);
  Line(outDir, "c_soundandmusic.dds", "SOUND AND MUSIC", true, font);
  Line(outDir, "c_soundandmusic_1.dds", "Synthesized by assetgen", false, font);
  Line(outDir, "c_soundandmusic_2.dds", "Music by its little sequencer", false, font);
  Line(outDir, "c_soundandmusic_3.dds", "Encoded with FFmpeg", false, font);
  Line(outDir, "c_thanksto.dds", "THANKS TO", true, font);
  Line(outDir, "c_thanksto_1.dds", "SDL2, SDL2_image and SDL2_ttf", false, font);
  Line(outDir, "c_thanksto_2.dds", "OpenAL Soft and FFmpeg", false, font);
  Line(outDir, "c_thanksto_3.dds", "Qt, Cairo and FreeType", false, font);
  Line(outDir, "c_thanksto_4.dds", "DejaVu fonts and libsquish", false, font);
  Line(outDir, "c_thanksto_5.dds", "GoogleTest and Google Benchmark", false, font);
  Line(outDir, "c_title.dds", "PEBBLERUN", true, font);
  Line(outDir, "c_notice.dds", "Made with free software. Thank you!", false, font);
  {
    Canvas c(158, 65);
    DrawProjectMark(c.cr(), 79, 32.5, 150, font, {1, 1, 1});
    SaveTexture(outDir, std::string(kFolder) + "c_logo_1.dds", c);
  }
  Canvas c(158, 65);
  cairo_t* cr = c.cr();
  RoundedRect(cr, 2, 2, 154, 61, 12);
  SetColor(cr, Hex(0x10204a), 0.8);
  cairo_fill_preserve(cr);
  SetColor(cr, {1, 1, 1});
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  font.Use(cr, Weight::Bold, 15);
  PlainText(cr, "made with", 79, 26, Align::Center, Hex(0xcfe6ff));
  font.Use(cr, Weight::Bold, 19);
  PlainText(cr, "free software", 79, 48, Align::Center, Hex(0xffd23a));
  SaveTexture(outDir, std::string(kFolder) + "c_logo_2.dds", c);
}

}  // namespace assetgen
