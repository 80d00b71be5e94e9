// Backgrounds of the game screen: the sky gradient (its top pixel also
// colours the water), flat colour swatches, the two clouds and the panel
// behind the debug text.

#include <cmath>

#include "textures.h"

namespace assetgen {

namespace {

void FlatColour(const path& outDir, const char* file, std::uint32_t rgb) {
  Canvas c(1, 1);
  cairo_rectangle(c.cr(), 0, 0, 1, 1);
  SetColor(c.cr(), Hex(rgb));
  cairo_fill(c.cr());
  SaveTexture(outDir, file, c);
}

void Sky(const path& outDir) {
  Canvas c(1, 480);
  cairo_rectangle(c.cr(), 0, 0, 1, 480);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 480);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.36, 0.62, 0.93);
  cairo_pattern_add_color_stop_rgb(g, 0.6, 0.6, 0.8, 0.98);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.84, 0.93, 1.0);
  cairo_set_source(c.cr(), g);
  cairo_fill(c.cr());
  cairo_pattern_destroy(g);
  SaveTexture(outDir, "textures/background_sky.bmp", c);
}

// A cloud of overlapping puffs filling the box (x, y, w, h).
void Cloud(cairo_t* cr, double x, double y, double w, double h, std::uint32_t seed) {
  Scatter rnd(seed);
  struct Puff {
    double x, y, r;
  };
  Puff puffs[9];
  const double base = y + h * 0.68;
  for (int i = 0; i < 9; ++i) {
    const double t = (i + 0.5) / 9;
    const double bulge = std::sin(t * M_PI);
    const double r = h * (0.2 + 0.22 * bulge) * rnd.Range(0.85, 1.1);
    puffs[i] = {x + r + t * (w - 2 * r), base - bulge * h * 0.22 * rnd.Range(0.7, 1.2), r};
  }
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, base + h * 0.12 - y);
  cairo_clip(cr);
  // One outline for all puffs (their circles unite), a soft shadow under it
  // and a top-lit fill.
  for (const Puff& p : puffs) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, p.x, p.y + 3, p.r, 0, 2 * M_PI);
  }
  SetColor(cr, Hex(0xb8c8dc), 0.9);
  cairo_fill(cr);
  for (const Puff& p : puffs) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, p.x, p.y, p.r - 1, 0, 2 * M_PI);
  }
  FillLinear(cr, 0, y, 0, base + h * 0.12, {{0, {1, 1, 1}}, {0.6, {0.97, 0.98, 1}}, {1, {0.84, 0.89, 0.96}}});
  cairo_restore(cr);
}

void Clouds(const path& outDir) {
  Canvas c(256, 256);
  Cloud(c.cr(), 2, 2, 213, 88, 7);
  Cloud(c.cr(), 2, 97, 185, 78, 11);
  SaveTexture(outDir, "textures/clouds.dds", c);
}

void DebugWindow(const path& outDir) {
  Canvas c(129, 257);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, 129, 257);
  FillLinear(cr, 0, 0, 0, 257, {{0, {0.1, 0.16, 0.36}}, {1, {0.03, 0.05, 0.16}}});
  cairo_rectangle(cr, 2, 8, 125, 241);
  SetColor(cr, Hex(0x6fa8ff));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  SaveTexture(outDir, "textures/debug_window.bmp", c);
}

}  // namespace

void MakeBackdrops(const path& outDir) {
  Sky(outDir);
  FlatColour(outDir, "textures/background_lightblue.bmp", 0x9fd4ff);
  FlatColour(outDir, "textures/background_black.bmp", 0x000000);
  FlatColour(outDir, "textures/background_red.bmp", 0xc02020);
  Clouds(outDir);
  DebugWindow(outDir);
}

}  // namespace assetgen
