// Lettered menu textures: the main-menu buttons, the title, the pause and
// level banners, the high-score headings and the option labels and values.

#include <cmath>
#include <string>

#include "textures.h"

namespace assetgen {

namespace {

// Largest size not above `size` at which text fits in width.
void FitText(cairo_t* cr, const Lettering& font, std::string_view text, double size, double width) {
  font.Use(cr, Weight::Bold, size);
  const double w = TextWidth(cr, text);
  if (w > width) font.Use(cr, Weight::Bold, size * width / w);
}

void Button(const path& outDir, const std::string& file, const std::string& label, const Lettering& font) {
  Canvas c(256, 64);
  cairo_t* cr = c.cr();
  RoundedRect(cr, 4, 6, 248, 52, 26);
  FillLinear(cr, 0, 6, 0, 58, {{0, {0.52, 0.82, 1.0}}, {1, {0.13, 0.45, 0.85}}}, true);
  SetColor(cr, {1, 1, 1});
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  RoundedRect(cr, 16, 10, 224, 18, 9);
  SetColor(cr, {1, 1, 1}, 0.28);
  cairo_fill(cr);
  FitText(cr, font, label, 28, 200);
  TextStyle style;
  style.outlineWidth = 2.5;
  StyledText(cr, label, 128, 42, Align::Center, style);
  SaveTexture(outDir, "textures/menu/" + file, c);
}

void Title(const path& outDir, const Lettering& font) {
  Canvas c(512, 155);
  cairo_t* cr = c.cr();
  font.Use(cr, Weight::Bold, 76);
  TextStyle style;
  style.top = Hex(0xfff6a0);
  style.bottom = Hex(0xff9a1e);
  style.outline = Hex(0x1b2f6b);
  style.outlineWidth = 5;
  style.shadow = 5;
  StyledText(cr, "PEBBLERUN", 256, 92, Align::Center, style);
  // A row of tiles in the twelve colours under the name, with Tobo on top.
  const std::uint32_t colours[] = {0x52c03c, 0x1f7a3a, 0x2f6fe0, 0x8150dc, 0x25389a, 0x3cc0f0,
                                   0x8c5a2c, 0xf79a22, 0xd05418, 0xe3383a, 0x99183f, 0xf4d52c};
  for (int i = 0; i < 12; ++i) {
    const double x = 256 - 6 * 26 + i * 26 + 1;
    RoundedRect(cr, x, 112, 24, 24, 4);
    SetColor(cr, Hex(colours[i]));
    cairo_fill_preserve(cr);
    SetColor(cr, Shade(Hex(colours[i]), 0.5));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    RoundedRect(cr, x + 3, 115, 10, 5, 2);
    SetColor(cr, {1, 1, 1}, 0.5);
    cairo_fill(cr);
  }
  DrawTobo(cr, 256 + 6 * 26 + 4, 100, 1.5);
  SaveTexture(outDir, "textures/menu/title.dds", c);
}

void Banner(const path& outDir, const std::string& file, int w, int h, const std::string& text, double size,
            double baseline, Align align, double x, const Lettering& font) {
  Canvas c(w, h);
  FitText(c.cr(), font, text, size, w - 16);
  TextStyle style;
  style.outlineWidth = size / 14;
  style.shadow = size / 16;
  StyledText(c.cr(), text, x, baseline, align, style);
  SaveTexture(outDir, file, c);
}

void Paused(const path& outDir, const Lettering& font) {
  Canvas c(512, 128);
  cairo_t* cr = c.cr();
  RoundedRect(cr, 56, 8, 400, 112, 24);
  SetColor(cr, Hex(0x10204a), 0.75);
  cairo_fill_preserve(cr);
  SetColor(cr, {1, 1, 1}, 0.9);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  font.Use(cr, Weight::Bold, 60);
  TextStyle style;
  style.outlineWidth = 4;
  style.shadow = 3;
  StyledText(cr, "PAUSED", 256, 76, Align::Center, style);
  font.Use(cr, Weight::Bold, 18);
  PlainText(cr, "press P to play on", 256, 104, Align::Center, Hex(0xcfe6ff));
  SaveTexture(outDir, "textures/paused.dds", c);
}

// An option label or value: plain ones white, selected ones golden and
// underlined with a glow so the choice stands out.
void Option(const path& outDir, const std::string& file, int w, const std::string& text, bool selected,
            const Lettering& font) {
  Canvas c(w, 32);
  cairo_t* cr = c.cr();
  const double textWidth = w == 256 ? 160 : 120;
  FitText(cr, font, text, 20, textWidth - 8);
  TextStyle style;
  style.outlineWidth = 2;
  style.shadow = 1.5;
  if (selected) {
    style.top = Hex(0xfff6a0);
    style.bottom = Hex(0xffb52a);
    RoundedRect(cr, 2, 25, TextWidth(cr, text) + 4, 4, 2);
    SetColor(cr, Hex(0xffd23a), 0.9);
    cairo_fill(cr);
  }
  StyledText(cr, text, 4, 22, Align::Left, style);
  SaveTexture(outDir, "textures/menu/options/" + file, c);
}

void Options(const path& outDir, const Lettering& font) {
  const struct {
    const char* stem;
    const char* text;
  } labels[] = {
      {"gamemode", "GAME MODE"}, {"fullscreen", "FULL SCREEN"}, {"details", "DETAILS"}, {"sound", "SOUND"}};
  for (const auto& l : labels) {
    Option(outDir, std::string("o_") + l.stem + ".dds", 256, l.text, false, font);
    Option(outDir, std::string("o_s_") + l.stem + ".dds", 256, l.text, true, font);
  }
  const struct {
    const char* stem;
    const char* text;
  } values[] = {{"on", "ON"}, {"off", "OFF"}, {"arcade", "ARCADE"}, {"story", "STORY"}};
  for (const auto& v : values) {
    Option(outDir, std::string("o_s_") + v.stem + ".dds", 128, v.text, false, font);
    Option(outDir, std::string("o_ss_") + v.stem + ".dds", 128, v.text, true, font);
  }
  {
    Canvas c(128, 32);
    cairo_t* cr = c.cr();
    // A small padlock before the word.
    RoundedRect(cr, 4, 13, 14, 12, 2);
    SetColor(cr, Hex(0xc9a227));
    cairo_fill(cr);
    cairo_arc(cr, 11, 13, 4.5, M_PI, 2 * M_PI);
    SetColor(cr, Hex(0xd8dde6));
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    font.Use(cr, Weight::Bold, 17);
    TextStyle style;
    style.top = Hex(0xffd0d0);
    style.bottom = Hex(0xff7a7a);
    style.outlineWidth = 2;
    style.shadow = 1.5;
    StyledText(cr, "LOCKED", 24, 23, Align::Left, style);
    SaveTexture(outDir, "textures/menu/options/unlock.dds", c);
  }
  Canvas c(256, 32);
  font.Use(c.cr(), Weight::Bold, 14);
  TextStyle style;
  style.top = Hex(0xffe3a0);
  style.bottom = Hex(0xffb040);
  style.outlineWidth = 1.8;
  style.shadow = 1;
  StyledText(c.cr(), "takes effect after a restart", 4, 20, Align::Left, style);
  SaveTexture(outDir, "textures/menu/options/restart.dds", c);
}

}  // namespace

void MakeMenuTextures(const path& outDir, const Lettering& font) {
  const struct {
    const char* file;
    const char* label;
  } buttons[] = {{"b_newgame.dds", "NEW GAME"},
                 {"b_highscores.dds", "HIGH SCORES"},
                 {"b_story.dds", "STORY"},
                 {"b_options.dds", "OPTIONS"},
                 {"b_howtoplay.dds", "HOW TO PLAY"},
                 {"b_credits.dds", "CREDITS"},
                 {"b_exit.dds", "EXIT"},
                 {"b_back.dds", "BACK"},
                 {"b_next.dds", "NEXT"}};
  for (const auto& b : buttons) Button(outDir, b.file, b.label, font);
  Title(outDir, font);
  Paused(outDir, font);
  // "LEVEL" ends at the right edge so the number texture drawn beside it
  // reads as one word.
  Banner(outDir, "textures/level_text.dds", 256, 128, "LEVEL", 58, 84, Align::Right, 248, font);
  for (int n = 0; n <= 11; ++n)
    Banner(outDir, "textures/level_num_" + std::to_string(n) + ".dds", 128, 128, std::to_string(n), 64, 84,
           Align::Left, 8, font);
  Banner(outDir, "textures/menu/s_title.dds", 512, 64, "NEW HIGH SCORE!", 44, 48, Align::Center, 256, font);
  Banner(outDir, "textures/menu/s_yournameplease.dds", 512, 64, "TYPE YOUR NAME, PLEASE", 36, 46,
         Align::Center, 256, font);
  Options(outDir, font);
}

}  // namespace assetgen
