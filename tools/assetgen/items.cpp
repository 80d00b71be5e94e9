// Things on the field and in the margins: bonuses, the drill head, the
// explosion and its word, particles, arrows and the gauges. Pictures the
// game tints (particles, gauges, arrows) are kept near white.

#include <cmath>
#include <string>

#include "textures.h"

namespace assetgen {

namespace {

void Bomb(cairo_t* cr, Rgb shell, double shellAlpha) {
  cairo_arc(cr, 15, 19, 10.5, 0, 2 * M_PI);
  cairo_pattern_t* g = cairo_pattern_create_radial(11, 15, 1, 15, 19, 11);
  const Rgb hi = Shade(shell, 2.0);
  cairo_pattern_add_color_stop_rgba(g, 0, hi.r, hi.g, hi.b, shellAlpha);
  cairo_pattern_add_color_stop_rgba(g, 1, shell.r, shell.g, shell.b, shellAlpha);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetColor(cr, Shade(shell, 0.5));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  cairo_rectangle(cr, 18, 6.5, 6, 4.5);
  SetColor(cr, Hex(0x6d7480));
  cairo_fill(cr);
  // Fuse and spark.
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, Hex(0x9a6a3a));
  cairo_move_to(cr, 21, 7);
  cairo_curve_to(cr, 22, 3, 25, 5, 26, 3);
  cairo_stroke(cr);
  cairo_arc(cr, 26.5, 3, 2.6, 0, 2 * M_PI);
  SetColor(cr, Hex(0xffd23a));
  cairo_fill(cr);
  cairo_arc(cr, 26.5, 3, 1.2, 0, 2 * M_PI);
  SetColor(cr, {1, 1, 1});
  cairo_fill(cr);
  EllipsePath(cr, 10.5, 14.5, 3.5, 1.8, -0.7);
  SetColor(cr, {1, 1, 1}, 0.7);
  cairo_fill(cr);
}

void Pie(cairo_t* cr) {
  // Dish, filling, crust with a lattice, a cherry on top.
  EllipsePath(cr, 16, 21, 14, 7);
  SetColor(cr, Hex(0xc7702c));
  cairo_fill(cr);
  EllipsePath(cr, 16, 17, 13, 7);
  SetColor(cr, Hex(0xf2b950));
  cairo_fill_preserve(cr);
  SetColor(cr, Hex(0x8a4a1a));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  SetColor(cr, Hex(0xb85a22));
  cairo_set_line_width(cr, 1.3);
  for (int i = -2; i <= 2; ++i) {
    cairo_move_to(cr, 16 + i * 4.5 - 3, 11.5);
    cairo_line_to(cr, 16 + i * 4.5 + 3, 22.5);
    cairo_stroke(cr);
  }
  cairo_arc(cr, 16, 9.5, 3.2, 0, 2 * M_PI);
  SetColor(cr, Hex(0xd81e3a));
  cairo_fill(cr);
  cairo_arc(cr, 15, 8.5, 1, 0, 2 * M_PI);
  SetColor(cr, {1, 1, 1});
  cairo_fill(cr);
  SetColor(cr, Hex(0x2e8a2e));
  cairo_set_line_width(cr, 1.2);
  cairo_move_to(cr, 16, 6.5);
  cairo_curve_to(cr, 17, 4, 19, 3, 21, 3);
  cairo_stroke(cr);
}

void Boot(cairo_t* cr) {
  cairo_move_to(cr, 9, 4);
  cairo_line_to(cr, 19, 4);
  cairo_line_to(cr, 19, 18);
  cairo_curve_to(cr, 24, 18, 29, 20, 29, 24);
  cairo_line_to(cr, 29, 27);
  cairo_line_to(cr, 6, 27);
  cairo_line_to(cr, 7, 18);
  cairo_close_path(cr);
  FillLinear(cr, 0, 4, 0, 27, {{0, {0.95, 0.35, 0.3}}, {1, {0.65, 0.12, 0.12}}}, true);
  SetColor(cr, Hex(0x5a0e10));
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
  cairo_rectangle(cr, 5.5, 25, 24, 4);
  SetColor(cr, Hex(0x3a2a22));
  cairo_fill(cr);
  cairo_rectangle(cr, 8, 4, 12, 3.5);
  SetColor(cr, {1, 1, 1});
  cairo_fill(cr);
  // A little wing: these boots make Tobo strong.
  cairo_move_to(cr, 8, 12);
  cairo_curve_to(cr, 3, 9, 1, 12, 2, 15);
  cairo_curve_to(cr, 4, 14, 6, 15, 8, 16);
  cairo_close_path(cr);
  SetColor(cr, Hex(0xfff2b0));
  cairo_fill_preserve(cr);
  SetColor(cr, Hex(0xb08a2a));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

void BigEars(cairo_t* cr) {
  for (int side = -1; side <= 1; side += 2) {
    EllipsePath(cr, 16 + side * 7.5, 15, 5.5, 12.5, side * 0.28);
    SetColor(cr, Hex(0x3f8ff0));
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x143f96));
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    EllipsePath(cr, 16 + side * 7.5, 16, 2.8, 8.5, side * 0.28);
    SetColor(cr, Hex(0xffa3c4));
    cairo_fill(cr);
  }
}

void Selection(cairo_t* cr) {
  // A soft star of light that the game spins behind icons.
  cairo_pattern_t* g = cairo_pattern_create_radial(16, 16, 0, 16, 16, 16);
  cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 0.8, 0.9);
  cairo_pattern_add_color_stop_rgba(g, 0.6, 1, 0.85, 0.3, 0.45);
  cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.7, 0.2, 0);
  cairo_new_path(cr);
  for (int i = 0; i < 16; ++i) {
    const double a = i * M_PI / 8;
    const double r = (i % 2) ? 9 : 16;
    i == 0 ? cairo_move_to(cr, 16 + r * std::cos(a), 16 + r * std::sin(a))
           : cairo_line_to(cr, 16 + r * std::cos(a), 16 + r * std::sin(a));
  }
  cairo_close_path(cr);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void WeightIcon(cairo_t* cr, const Lettering& font) {
  cairo_arc(cr, 16, 8, 5, M_PI, 2 * M_PI);
  SetColor(cr, Hex(0x4a505c));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  cairo_move_to(cr, 8, 11);
  cairo_line_to(cr, 24, 11);
  cairo_line_to(cr, 29, 29);
  cairo_line_to(cr, 3, 29);
  cairo_close_path(cr);
  FillLinear(cr, 3, 0, 29, 0, {{0, {0.55, 0.6, 0.68}}, {1, {0.25, 0.28, 0.34}}});
  font.Use(cr, Weight::Bold, 10);
  PlainText(cr, "kg", 16, 25, Align::Center, {1, 1, 1});
}

void Drill(cairo_t* cr) {
  cairo_move_to(cr, 3, 0);
  cairo_line_to(cr, 29, 0);
  cairo_line_to(cr, 16, 31);
  cairo_close_path(cr);
  FillLinear(cr, 3, 0, 29, 0, {{0, {0.5, 0.53, 0.6}}, {0.35, {0.95, 0.97, 1}}, {1, {0.35, 0.38, 0.45}}},
             true);
  SetColor(cr, Hex(0x2a2e38));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  // The spiral grooves of a drill bit.
  SetColor(cr, Hex(0x2a2e38), 0.8);
  cairo_set_line_width(cr, 1.3);
  for (int i = 0; i < 4; ++i) {
    const double y = 4 + i * 6.5;
    const double half = 13 * (1 - y / 31.0);
    cairo_move_to(cr, 16 - half, y);
    cairo_line_to(cr, 16 + half, y + 4);
    cairo_stroke(cr);
  }
}

void Explosion(cairo_t* cr) {
  const double cx = 67, cy = 64;
  Scatter rnd(104);
  cairo_new_path(cr);
  for (int i = 0; i < 28; ++i) {
    const double a = i * 2 * M_PI / 28;
    const double r = (i % 2) ? rnd.Range(34, 44) : rnd.Range(52, 62);
    const double x = cx + r * std::cos(a), y = cy + r * std::sin(a);
    i == 0 ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
  }
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, 62);
  cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 0.85, 1);
  cairo_pattern_add_color_stop_rgba(g, 0.35, 1, 0.88, 0.3, 1);
  cairo_pattern_add_color_stop_rgba(g, 0.7, 1, 0.45, 0.1, 0.95);
  cairo_pattern_add_color_stop_rgba(g, 1, 0.8, 0.15, 0.05, 0.8);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Smoke puffs round the rim.
  for (int i = 0; i < 9; ++i) {
    const double a = rnd.Range(0, 2 * M_PI), r = rnd.Range(40, 52);
    cairo_arc(cr, cx + r * std::cos(a), cy + r * std::sin(a), rnd.Range(6, 10), 0, 2 * M_PI);
    SetColor(cr, Hex(0x5a4a44), 0.45);
    cairo_fill(cr);
  }
}

void BoomWord(cairo_t* cr, const Lettering& font) {
  font.Use(cr, Weight::Bold, 16);
  TextStyle style;
  style.top = Hex(0xfff27a);
  style.bottom = Hex(0xff8a1a);
  style.outline = Hex(0x7a1208);
  style.outlineWidth = 1.6;
  style.shadow = 0;
  StyledText(cr, "BOOM!", 32, 16, Align::Center, style);
}

void Particle(cairo_t* cr) {
  cairo_pattern_t* g = cairo_pattern_create_radial(16, 16, 0, 16, 16, 11);
  cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(g, 0.3, 1, 1, 1, 1);
  cairo_pattern_add_color_stop_rgba(g, 0.6, 0.95, 0.97, 1, 0.7);
  cairo_pattern_add_color_stop_rgba(g, 1, 0.9, 0.95, 1, 0);
  cairo_arc(cr, 16, 16, 11, 0, 2 * M_PI);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

// An arrow pointing along +x rotated by `turn` (radians, screen sense).
void Arrow(cairo_t* cr, double turn, Rgb fill, Rgb edge) {
  cairo_save(cr);
  cairo_translate(cr, 16, 16);
  cairo_rotate(cr, turn);
  cairo_move_to(cr, 13, 0);
  cairo_line_to(cr, 1, -11);
  cairo_line_to(cr, 1, -5);
  cairo_line_to(cr, -13, -5);
  cairo_line_to(cr, -13, 5);
  cairo_line_to(cr, 1, 5);
  cairo_line_to(cr, 1, 11);
  cairo_close_path(cr);
  cairo_restore(cr);
  SetColor(cr, fill);
  cairo_fill_preserve(cr);
  SetColor(cr, edge);
  cairo_set_line_width(cr, 1.5);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void Gauge(cairo_t* cr, int w, int h) {
  RoundedRect(cr, 1, 1, w - 2, h - 2, 5);
  const bool vertical = h > w;
  cairo_pattern_t* g =
      vertical ? cairo_pattern_create_linear(0, 0, w, 0) : cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.8, 0.8, 0.8);
  cairo_pattern_add_color_stop_rgb(g, 0.3, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.7, 0.7, 0.7);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetColor(cr, {0.45, 0.45, 0.45});
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

template <typename Paint>
void Save32(const path& outDir, const std::string& file, Paint paint) {
  Canvas c(32, 32);
  paint(c.cr());
  SaveTexture(outDir, file, c);
}

}  // namespace

void DrawBonus(cairo_t* cr, std::string_view type, double x, double y, double scale) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  if (type == "bomb") Bomb(cr, Hex(0x24262e), 1.0);
  if (type == "bombglass") Bomb(cr, Hex(0x3aa8d8), 0.7);
  if (type == "pie") Pie(cr);
  if (type == "boot") Boot(cr);
  if (type == "ears") BigEars(cr);
  cairo_restore(cr);
}

void MakeItems(const path& outDir, const Lettering& font) {
  Save32(outDir, "textures/bonus/bomb.dds", [](cairo_t* cr) { Bomb(cr, Hex(0x24262e), 1.0); });
  Save32(outDir, "textures/bonus/bombglass.dds", [](cairo_t* cr) { Bomb(cr, Hex(0x3aa8d8), 0.7); });
  Save32(outDir, "textures/bonus/boot.dds", Boot);
  Save32(outDir, "textures/bonus/bigears.dds", BigEars);
  Save32(outDir, "textures/bonus/bonus_selection.dds", Selection);
  Save32(outDir, "textures/weighticon.dds", [&](cairo_t* cr) { WeightIcon(cr, font); });
  Save32(outDir, "textures/particles.png", Particle);
  // The warning arrow points down to what comes from below; the hint arrow
  // points left so that the game's quarter turns aim it up and down.
  Save32(outDir, "textures/arrow.dds",
         [](cairo_t* cr) { Arrow(cr, M_PI / 2, Hex(0xffe14a), Hex(0x8a5a00)); });
  Save32(outDir, "textures/arrow_help.dds", [](cairo_t* cr) { Arrow(cr, M_PI, {1, 1, 1}, {0.5, 0.5, 0.5}); });
  {
    Canvas c(32, 32);
    Pie(c.cr());
    SaveKeyed(outDir, "textures/bonus/pie.bmp", c, Hex(0x8a4a1a));
  }
  {
    Canvas c(32, 32);
    Drill(c.cr());
    SaveKeyed(outDir, "textures/sharp.bmp", c, Hex(0x2a2e38));
  }
  {
    Canvas c(64, 19);
    BoomWord(c.cr(), font);
    SaveKeyed(outDir, "textures/bonus/text_boom.bmp", c, Hex(0x7a1208));
  }
  {
    Canvas c(134, 128);
    Explosion(c.cr());
    SaveTexture(outDir, "textures/bonus/explosion.dds", c);
  }
  {
    Canvas c(32, 128);
    Gauge(c.cr(), 32, 128);
    SaveTexture(outDir, "textures/sidebar.dds", c);
  }
  Canvas c(128, 32);
  Gauge(c.cr(), 128, 32);
  SaveTexture(outDir, "textures/sidebar_h.dds", c);
}

}  // namespace assetgen
