// Full-screen pictures (studio logo and loading screen, menu backgrounds,
// the two end pictures), the "built with" badges and the menu butterflies.

#include <cmath>
#include <string>

#include "textures.h"

namespace assetgen {

namespace {

void RadialBackground(cairo_t* cr, int w, int h, Rgb centre, Rgb edge) {
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_pattern_t* g = cairo_pattern_create_radial(w / 2.0, h / 2.0, 0, w / 2.0, h / 2.0, w * 0.65);
  cairo_pattern_add_color_stop_rgb(g, 0, centre.r, centre.g, centre.b);
  cairo_pattern_add_color_stop_rgb(g, 1, edge.r, edge.g, edge.b);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void Rays(cairo_t* cr, double cx, double cy, int count, double length, Rgb colour, double alpha) {
  for (int i = 0; i < count; i += 2) {
    const double a0 = i * 2 * M_PI / count, a1 = (i + 1) * 2 * M_PI / count;
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + length * std::cos(a0), cy + length * std::sin(a0));
    cairo_line_to(cr, cx + length * std::cos(a1), cy + length * std::sin(a1));
    cairo_close_path(cr);
  }
  SetColor(cr, colour, alpha);
  cairo_fill(cr);
}

void Stars(cairo_t* cr, int w, int h, int count, std::uint32_t seed) {
  Scatter rnd(seed);
  for (int i = 0; i < count; ++i) {
    const double x = rnd.Range(0, w), y = rnd.Range(0, h), r = rnd.Range(0.5, 1.8);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    SetColor(cr, {1, 1, 0.9}, rnd.Range(0.4, 1.0));
    cairo_fill(cr);
  }
}

void Logo(const path& outDir, const Lettering& font) {
  Canvas c(640, 480);
  cairo_t* cr = c.cr();
  RadialBackground(cr, 640, 480, Hex(0x1d3f8a), Hex(0x070d24));
  Stars(cr, 640, 480, 90, 3);
  DrawProjectMark(cr, 320, 220, 440, font, {1, 1, 1});
  font.Use(cr, Weight::Regular, 20);
  PlainText(cr, "a free and open-source game", 320, 320, Align::Center, Hex(0xcfe6ff));
  SaveTexture(outDir, "textures/menu/logo.jpg", c);
}

void MenuBackgrounds(const path& outDir) {
  {
    // Drawn turning slowly behind the menu: rays and scattered pebbles look
    // right at any angle.
    Canvas c(640, 480);
    cairo_t* cr = c.cr();
    RadialBackground(cr, 640, 480, Hex(0x8fd0ff), Hex(0x2a6fd0));
    Rays(cr, 320, 240, 36, 600, {1, 1, 1}, 0.12);
    Scatter rnd(9);
    for (int i = 0; i < 40; ++i) {
      const double x = rnd.Range(0, 640), y = rnd.Range(0, 480), r = rnd.Range(4, 12);
      EllipsePath(cr, x, y, r, r * 0.75);
      SetColor(cr, {1, 1, 1}, 0.15);
      cairo_fill(cr);
    }
    SaveTexture(outDir, "textures/menu/load1.jpg", c);
  }
  Canvas c(640, 480);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, 640, 480);
  FillLinear(cr, 0, 0, 0, 480, {{0, {0.03, 0.05, 0.16}}, {1, {0.14, 0.22, 0.48}}});
  Stars(cr, 640, 480, 220, 21);
  SaveTexture(outDir, "textures/menu/background_space.jpg", c);
}

void Badge(const path& outDir, const std::string& file, const std::string& name, const Lettering& font) {
  Canvas c(256, 128);
  cairo_t* cr = c.cr();
  RoundedRect(cr, 4, 4, 248, 120, 20);
  SetColor(cr, Hex(0x10204a), 0.85);
  cairo_fill_preserve(cr);
  SetColor(cr, {1, 1, 1});
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  font.Use(cr, Weight::Regular, 18);
  PlainText(cr, "built with", 128, 44, Align::Center, Hex(0xcfe6ff));
  font.Use(cr, Weight::Bold, 34);
  const double w = TextWidth(cr, name);
  if (w > 220) font.Use(cr, Weight::Bold, 34 * 220 / w);
  TextStyle style;
  style.top = Hex(0xfff6a0);
  style.bottom = Hex(0xff9a1e);
  StyledText(cr, name, 128, 92, Align::Center, style);
  SaveTexture(outDir, "textures/menu/" + file, c);
}

void Butterfly(const path& outDir, int n, Rgb wing, Rgb spot) {
  Canvas c(32, 32);
  cairo_t* cr = c.cr();
  // Seen from above, head up; the game turns it to its heading.
  for (int side = -1; side <= 1; side += 2) {
    EllipsePath(cr, 16 + side * 7, 11, 6.5, 8.5, side * -0.5);
    SetColor(cr, wing);
    cairo_fill_preserve(cr);
    SetColor(cr, Shade(wing, 0.45));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    EllipsePath(cr, 16 + side * 6, 22, 4.5, 6, side * 0.5);
    SetColor(cr, Shade(wing, 0.85));
    cairo_fill_preserve(cr);
    SetColor(cr, Shade(wing, 0.45));
    cairo_stroke(cr);
    cairo_arc(cr, 16 + side * 8, 10, 2.2, 0, 2 * M_PI);
    SetColor(cr, spot);
    cairo_fill(cr);
  }
  EllipsePath(cr, 16, 16, 1.6, 10);
  SetColor(cr, Hex(0x2a2030));
  cairo_fill(cr);
  cairo_set_line_width(cr, 0.9);
  cairo_move_to(cr, 15.5, 7);
  cairo_line_to(cr, 12, 1.5);
  cairo_move_to(cr, 16.5, 7);
  cairo_line_to(cr, 20, 1.5);
  cairo_stroke(cr);
  SaveTexture(outDir, "textures/menu/butterfly" + std::to_string(n) + ".dds", c);
}

void Valley(cairo_t* cr) {
  cairo_rectangle(cr, 0, 0, 640, 480);
  FillLinear(cr, 0, 0, 0, 480, {{0, {0.45, 0.72, 0.98}}, {1, {0.85, 0.94, 1.0}}});
  Rays(cr, 520, 90, 24, 700, Hex(0xfff6c0), 0.25);
  cairo_arc(cr, 520, 90, 46, 0, 2 * M_PI);
  SetColor(cr, Hex(0xffe15a));
  cairo_fill(cr);
  const double hills[][3] = {{120, 470, 260}, {470, 490, 300}, {320, 520, 260}};
  const std::uint32_t greens[] = {0x6cc850, 0x52b040, 0x3f9a36};
  for (int i = 0; i < 3; ++i) {
    EllipsePath(cr, hills[i][0], hills[i][1], hills[i][2], 110);
    SetColor(cr, Hex(greens[i]));
    cairo_fill(cr);
  }
}

Bytes EndPicture(const Lettering& font, bool arcade) {
  Canvas c(640, 480);
  cairo_t* cr = c.cr();
  if (arcade) {
    RadialBackground(cr, 640, 480, Hex(0xffd23a), Hex(0xd05418));
    Rays(cr, 320, 250, 40, 700, {1, 1, 1}, 0.22);
    Stars(cr, 640, 480, 60, 77);
  } else {
    Valley(cr);
  }
  font.Use(cr, Weight::Bold, arcade ? 84 : 64);
  TextStyle style;
  style.top = Hex(0xfff6a0);
  style.bottom = Hex(0xff9a1e);
  style.outlineWidth = 6;
  style.shadow = 5;
  if (arcade) {
    style.top = {1, 1, 1};
    style.bottom = Hex(0xcfe6ff);
  }
  StyledText(cr, arcade ? "WOW!" : "YOU MADE IT!", 320, 110, Align::Center, style);
  DrawTobo(cr, 240, 160, 5.0, arcade);
  font.Use(cr, Weight::Bold, 26);
  TextStyle small;
  small.outlineWidth = 3;
  StyledText(cr, arcade ? "What a run! The drills never caught you." : "Tobo is home in the green valley.",
             320, 420, Align::Center, small);
  font.Use(cr, Weight::Bold, 18);
  StyledText(cr, arcade ? "Can you beat your own score?" : "Thank you for bringing him down safely!", 320,
             452, Align::Center, small);
  return EncodeJpeg(c.Read(), 90);
}

}  // namespace

Bytes StoryWonPicture(const Lettering& font) { return EndPicture(font, false); }
Bytes ArcadeWonPicture(const Lettering& font) { return EndPicture(font, true); }

void MakePictures(const path& outDir, const Lettering& font) {
  Logo(outDir, font);
  MenuBackgrounds(outDir);
  const char* names[] = {"SDL2", "OpenAL Soft", "FFmpeg", "Cairo", "Qt"};
  for (int i = 0; i < 5; ++i) Badge(outDir, "logo_sponsor_" + std::to_string(i + 1) + ".dds", names[i], font);
  Badge(outDir, "logo_sponsor_plus.dds", "free software", font);
  Butterfly(outDir, 1, Hex(0xffc83a), Hex(0xd05418));
  Butterfly(outDir, 2, Hex(0x5ec8f0), Hex(0x25389a));
  Butterfly(outDir, 3, Hex(0xff8ab0), Hex(0xe3383a));
  Butterfly(outDir, 4, Hex(0x9ae05a), Hex(0x1f7a3a));
  Butterfly(outDir, 5, Hex(0xc8a0ff), Hex(0xffffff));
}

}  // namespace assetgen
