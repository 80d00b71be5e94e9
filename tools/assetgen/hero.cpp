// Tobo: the body sprite and the sheet of eyes, pupils and ears that the game
// lays over it (eyes 14 x 16 at (0, 0), pupils 12 x 7 at (1, 19), big ears
// 8 x 11 at (16, 11) and (23, 11), small ears 5 x 6 at (18, 1) and (23, 1)).

#include <cmath>

#include "textures.h"

namespace assetgen {

namespace {

const Rgb kBody = Hex(0x3f8ff0);
const Rgb kBodyDark = Hex(0x143f96);
const Rgb kInnerEar = Hex(0xffa3c4);

void Body(cairo_t* cr) {
  // Little feet first, so the body overlaps them.
  for (double fx : {10.0, 22.0}) {
    cairo_save(cr);
    cairo_translate(cr, fx, 29);
    cairo_scale(cr, 1.0, 0.55);
    cairo_arc(cr, 0, 0, 4, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColor(cr, kBodyDark);
    cairo_fill(cr);
  }
  cairo_arc(cr, 16, 16.5, 13.5, 0, 2 * M_PI);
  cairo_pattern_t* g = cairo_pattern_create_radial(11, 10, 1, 16, 16.5, 15);
  const Rgb hi = Shade(kBody, 1.45);
  cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(g, 0.55, kBody.r, kBody.g, kBody.b);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.12, 0.35, 0.78);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetColor(cr, kBodyDark);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  // Cheeks and a smile below where the eyes go.
  for (double cx : {8.0, 24.0}) {
    cairo_arc(cr, cx, 22.5, 2.2, 0, 2 * M_PI);
    SetColor(cr, kInnerEar, 0.7);
    cairo_fill(cr);
  }
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 1.4);
  SetColor(cr, kBodyDark);
  cairo_arc(cr, 16, 22, 4, 0.35 * M_PI, 0.65 * M_PI);
  cairo_stroke(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void Eye(cairo_t* cr, double cx, double cy, double rx, double ry) {
  EllipsePath(cr, cx, cy, rx, ry);
  SetColor(cr, {1, 1, 1});
  cairo_fill_preserve(cr);
  SetColor(cr, kBodyDark);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void Pupil(cairo_t* cr, double cx, double cy) {
  EllipsePath(cr, cx, cy, 2.3, 3.0);
  SetColor(cr, Hex(0x101426));
  cairo_fill(cr);
  cairo_arc(cr, cx - 0.8, cy - 1.2, 0.8, 0, 2 * M_PI);
  SetColor(cr, {1, 1, 1});
  cairo_fill(cr);
}

// An ear in the box (x, y, w, h) with its tip leaning outward (lean -1 left,
// +1 right).
void Ear(cairo_t* cr, double x, double y, double w, double h, double lean) {
  const double tipX = x + w / 2 + lean * w * 0.25;
  cairo_move_to(cr, x + 0.5, y + h);
  cairo_curve_to(cr, x, y + h * 0.4, tipX - w * 0.2, y + 0.3, tipX, y + 0.3);
  cairo_curve_to(cr, tipX + w * 0.2, y + 0.3, x + w, y + h * 0.4, x + w - 0.5, y + h);
  cairo_close_path(cr);
  SetColor(cr, kBody);
  cairo_fill_preserve(cr);
  SetColor(cr, kBodyDark);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  if (w >= 6) {
    EllipsePath(cr, x + w / 2 + lean * 0.5, y + h * 0.6, w * 0.2, h * 0.3);
    SetColor(cr, kInnerEar);
    cairo_fill(cr);
  }
}

void EyeSheet(cairo_t* cr) {
  // Each part is clipped to its rectangle: the game cuts them out exactly
  // there, and a stray outline pixel would show up beside the next part.
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, 14, 16);
  cairo_clip(cr);
  Eye(cr, 3.5, 8, 3.1, 7.3);
  Eye(cr, 10.5, 8, 3.1, 7.3);
  cairo_restore(cr);
  cairo_save(cr);
  cairo_rectangle(cr, 1, 19, 12, 7);
  cairo_clip(cr);
  Pupil(cr, 4, 22.5);
  Pupil(cr, 10, 22.5);
  cairo_restore(cr);
  // Column 23 is shared by both big-ear rectangles; it stays empty.
  cairo_save(cr);
  cairo_rectangle(cr, 16, 11, 7, 11);
  cairo_clip(cr);
  Ear(cr, 16, 11, 7, 11, -1);
  cairo_restore(cr);
  cairo_save(cr);
  cairo_rectangle(cr, 24, 11, 7, 11);
  cairo_clip(cr);
  Ear(cr, 24, 11, 7, 11, 1);
  cairo_restore(cr);
  cairo_save(cr);
  cairo_rectangle(cr, 18, 1, 5, 6);
  cairo_clip(cr);
  Ear(cr, 18, 1, 5, 6, -1);
  cairo_restore(cr);
  cairo_save(cr);
  cairo_rectangle(cr, 23, 1, 5, 6);
  cairo_clip(cr);
  Ear(cr, 23, 1, 5, 6, 1);
  cairo_restore(cr);
}

}  // namespace

// Drawn as vectors at the target size, with every part where the game puts
// it, so the pictures stay sharp and faithful to the sprite.
void DrawTobo(cairo_t* cr, double x, double y, double scale, bool bigEars) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  Body(cr);
  Eye(cr, 9 + 3.5, 6 + 8, 3.1, 7.3);
  Eye(cr, 9 + 10.5, 6 + 8, 3.1, 7.3);
  Pupil(cr, 10 + 3, 12 + 3.5);
  Pupil(cr, 10 + 9, 12 + 3.5);
  if (bigEars) {
    Ear(cr, 0, 0, 7, 11, -1);
    Ear(cr, 25, 0, 7, 11, 1);
  } else {
    Ear(cr, 1, 2, 5, 6, -1);
    Ear(cr, 26, 2, 5, 6, 1);
  }
  cairo_restore(cr);
}

void MakeHero(const path& outDir) {
  {
    Canvas c(32, 32);
    Body(c.cr());
    SaveTexture(outDir, "textures/tobo_blue.dds", c);
  }
  Canvas c(32, 32);
  EyeSheet(c.cr());
  SaveTexture(outDir, "textures/tobo_eyes.dds", c);
}

}  // namespace assetgen
