// Ground tiles in twelve colours and four kinds, their grey unpainted
// variants, glass, stone and the walls. Kinds differ in shape and surface so
// they read apart even for players who cannot tell the hues apart.

#include <cmath>
#include <string>

#include "textures.h"

namespace assetgen {

namespace {

constexpr int kTile = 32;

struct TileColour {
  const char* name;
  std::uint32_t rgb;
};

const TileColour kColours[] = {
    {"green", 0x52c03c},      {"greendark", 0x1f7a3a}, {"blue", 0x2f6fe0},    {"blue2", 0x8150dc},
    {"bluedark", 0x25389a},   {"bluelight", 0x3cc0f0}, {"brown", 0x8c5a2c},   {"orange", 0xf79a22},
    {"orangedark", 0xd05418}, {"red", 0xe3383a},       {"reddark", 0x99183f}, {"yellow", 0xf4d52c},
};

const Rgb kGrey = Hex(0x9a9a9e);

void Bevel(cairo_t* cr, Rgb base, double inset, double radius) {
  const double s = kTile - 2 * inset;
  RoundedRect(cr, inset, inset, s, s, radius);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, kTile, kTile);
  const Rgb hi = Shade(base, 1.25), lo = Shade(base, 0.78);
  cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetColor(cr, Shade(base, 0.5));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

void NormalTile(cairo_t* cr, Rgb base) {
  Bevel(cr, base, 0.75, 4);
  // Light edge top and left, shade bottom and right: a raised block.
  cairo_set_line_width(cr, 2);
  SetColor(cr, Shade(base, 1.5), 0.8);
  cairo_move_to(cr, 3, 28);
  cairo_line_to(cr, 3, 3);
  cairo_line_to(cr, 28, 3);
  cairo_stroke(cr);
  SetColor(cr, Shade(base, 0.55), 0.8);
  cairo_move_to(cr, 4, 29);
  cairo_line_to(cr, 29, 29);
  cairo_line_to(cr, 29, 4);
  cairo_stroke(cr);
  // The pebble motif in the middle.
  cairo_save(cr);
  cairo_translate(cr, 16, 17);
  cairo_scale(cr, 1.0, 0.75);
  cairo_arc(cr, 0, 0, 6.5, 0, 2 * M_PI);
  cairo_restore(cr);
  SetColor(cr, Shade(base, 0.7), 0.9);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, 15, 15.5);
  cairo_scale(cr, 1.0, 0.7);
  cairo_arc(cr, 0, 0, 5.5, 0, 2 * M_PI);
  cairo_restore(cr);
  SetColor(cr, Shade(base, 1.3));
  cairo_fill(cr);
}

void MudTile(cairo_t* cr, Rgb base, std::uint32_t seed) {
  const Rgb grey{0.45, 0.42, 0.38};
  const Rgb mud = Shade(Mix(base, grey, 0.35), 0.68);
  Scatter rnd(seed);
  // A soft, wobbly lump instead of a crisp block.
  cairo_new_path(cr);
  for (int i = 0; i <= 64; ++i) {
    const double t = i / 64.0 * 2 * M_PI;
    const double wob = 1.2 * std::sin(t * 7 + seed) + 0.8 * std::sin(t * 3);
    const double r = 15.0 + wob * 0.6;
    const double c = std::cos(t), s = std::sin(t);
    // A squircle keeps the tile filling its cell.
    const double px = 16 + r * std::copysign(std::pow(std::abs(c), 0.35), c);
    const double py = 16.5 + r * std::copysign(std::pow(std::abs(s), 0.35), s);
    i == 0 ? cairo_move_to(cr, px, py) : cairo_line_to(cr, px, py);
  }
  cairo_close_path(cr);
  SetColor(cr, mud);
  cairo_fill_preserve(cr);
  SetColor(cr, Shade(mud, 0.6));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  for (int i = 0; i < 9; ++i) {
    const double x = rnd.Range(6, 26), y = rnd.Range(6, 26), r = rnd.Range(1.5, 3.5);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    SetColor(cr, i % 2 ? Shade(mud, 0.72) : Shade(mud, 1.18));
    cairo_fill(cr);
  }
  // A couple of bubbles on the surface.
  SetColor(cr, Shade(mud, 1.35), 0.7);
  cairo_set_line_width(cr, 1);
  cairo_arc(cr, 22, 9, 2, 0, 2 * M_PI);
  cairo_stroke(cr);
  cairo_arc(cr, 9, 22, 1.5, 0, 2 * M_PI);
  cairo_stroke(cr);
}

void GumTile(cairo_t* cr, Rgb base) {
  const Rgb gum = Shade(base, 1.08);
  RoundedRect(cr, 1, 1, 30, 30, 9);
  cairo_pattern_t* g = cairo_pattern_create_radial(12, 11, 2, 16, 16, 22);
  const Rgb hi = Shade(gum, 1.35), lo = Shade(gum, 0.7);
  cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(g, 0.6, gum.r, gum.g, gum.b);
  cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetColor(cr, Shade(gum, 0.5));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  // The glossy window reflection that says "jelly".
  cairo_save(cr);
  cairo_translate(cr, 12, 9);
  cairo_rotate(cr, -0.5);
  cairo_scale(cr, 1.0, 0.45);
  cairo_arc(cr, 0, 0, 8, 0, 2 * M_PI);
  cairo_restore(cr);
  SetColor(cr, {1, 1, 1}, 0.75);
  cairo_fill(cr);
  cairo_arc(cr, 24, 23, 2.2, 0, 2 * M_PI);
  SetColor(cr, {1, 1, 1}, 0.65);
  cairo_fill(cr);
  cairo_arc(cr, 21, 26, 1.2, 0, 2 * M_PI);
  cairo_fill(cr);
}

void IceTile(cairo_t* cr, Rgb base) {
  const Rgb ice = Mix(base, Hex(0xf2fbff), 0.47);
  cairo_rectangle(cr, 0.5, 0.5, 31, 31);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 32, 32);
  const Rgb hi = Mix(ice, {1, 1, 1}, 0.5), lo = Shade(ice, 0.85);
  cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetColor(cr, Shade(Mix(base, ice, 0.4), 0.8));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // Diagonal shine streaks.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, {1, 1, 1}, 0.85);
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, 5, 17);
  cairo_line_to(cr, 17, 5);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_move_to(cr, 8, 24);
  cairo_line_to(cr, 24, 8);
  cairo_stroke(cr);
  cairo_move_to(cr, 18, 28);
  cairo_line_to(cr, 28, 18);
  cairo_stroke(cr);
  // A sparkle.
  SetColor(cr, {1, 1, 1}, 0.95);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, 24, 3.5);
  cairo_line_to(cr, 24, 10.5);
  cairo_move_to(cr, 20.5, 7);
  cairo_line_to(cr, 27.5, 7);
  cairo_stroke(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void SaveGroundSet(const path& outDir, const std::string& stem, Rgb base, std::uint32_t seed) {
  const std::string dir = "textures/level_tiles/tile_ground_" + stem;
  {
    Canvas c(kTile, kTile);
    NormalTile(c.cr(), base);
    SaveTexture(outDir, dir + ".dds", c);
  }
  {
    Canvas c(kTile, kTile);
    MudTile(c.cr(), base, seed);
    SaveTexture(outDir, dir + "_mud.dds", c);
  }
  {
    Canvas c(kTile, kTile);
    GumTile(c.cr(), base);
    SaveTexture(outDir, dir + "_gum.dds", c);
  }
  {
    Canvas c(kTile, kTile);
    IceTile(c.cr(), base);
    SaveTexture(outDir, dir + "_ice.dds", c);
  }
}

void Glass(const path& outDir, const std::string& file, Rgb tint) {
  Canvas c(kTile, kTile);
  cairo_t* cr = c.cr();
  RoundedRect(cr, 1, 1, 30, 30, 3);
  SetColor(cr, Mix(tint, {1, 1, 1}, 0.55));
  cairo_fill_preserve(cr);
  SetColor(cr, Shade(tint, 0.75));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  SetColor(cr, {1, 1, 1});
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, 6, 18);
  cairo_line_to(cr, 18, 6);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2);
  cairo_move_to(cr, 12, 24);
  cairo_line_to(cr, 24, 12);
  cairo_stroke(cr);
  SaveKeyed(outDir, "textures/level_tiles/" + file, c, Shade(tint, 0.75));
}

void Stone(const path& outDir) {
  Canvas c(kTile, kTile);
  cairo_t* cr = c.cr();
  const Rgb mortar = Hex(0x4a4a52), stone = Hex(0x8c8c96);
  cairo_rectangle(cr, 0, 0, 32, 32);
  SetColor(cr, mortar);
  cairo_fill(cr);
  struct Cobble {
    double x, y, w, h;
  };
  const Cobble cobbles[] = {{1, 1, 17, 13},  {19, 1, 12, 10}, {1, 15, 11, 16},
                            {13, 15, 18, 9}, {19, 12, 12, 2}, {13, 25, 18, 6}};
  for (const Cobble& k : cobbles) {
    RoundedRect(cr, k.x + 0.5, k.y + 0.5, k.w - 1, k.h - 1, 3);
    cairo_pattern_t* g = cairo_pattern_create_linear(k.x, k.y, k.x + k.w, k.y + k.h);
    const Rgb hi = Shade(stone, 1.3), lo = Shade(stone, 0.8);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  }
  SaveTexture(outDir, "textures/level_tiles/tile_ground_stone.dds", c);
}

void Bricks(const path& outDir, const std::string& file, Rgb brick, Rgb mortar, int rowH, int brickW) {
  Canvas c(kTile, kTile);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, 32, 32);
  SetColor(cr, mortar);
  cairo_fill(cr);
  Scatter rnd(brickW * 31 + rowH);
  for (int row = 0; row * rowH < kTile; ++row) {
    const int offset = (row % 2) ? brickW / 2 : 0;
    for (int x = -offset; x < kTile; x += brickW) {
      const Rgb b = Shade(brick, rnd.Range(0.88, 1.1));
      cairo_rectangle(cr, x + 1, row * rowH + 1, brickW - 2, rowH - 2);
      SetColor(cr, b);
      cairo_fill(cr);
      cairo_rectangle(cr, x + 1, row * rowH + 1, brickW - 2, 1.5);
      SetColor(cr, Shade(b, 1.3));
      cairo_fill(cr);
    }
  }
  SaveTexture(outDir, "textures/" + file, c);
}

void Wood(const path& outDir, const std::string& file, Rgb wood) {
  Canvas c(kTile, kTile);
  cairo_t* cr = c.cr();
  for (int plank = 0; plank < 4; ++plank) {
    const Rgb p = Shade(wood, plank % 2 ? 0.92 : 1.05);
    cairo_rectangle(cr, plank * 8, 0, 8, 32);
    SetColor(cr, p);
    cairo_fill(cr);
    SetColor(cr, Shade(p, 0.72));
    cairo_set_line_width(cr, 0.8);
    for (int g = 0; g < 2; ++g) {
      const double gx = plank * 8 + 2.5 + g * 3;
      cairo_move_to(cr, gx, 0);
      cairo_curve_to(cr, gx + 1.2, 10, gx - 1.2, 20, gx + 0.6, 32);
      cairo_stroke(cr);
    }
    cairo_rectangle(cr, plank * 8, 0, 1, 32);
    SetColor(cr, Shade(wood, 0.5));
    cairo_fill(cr);
    // Nails.
    SetColor(cr, Shade(wood, 0.4));
    cairo_arc(cr, plank * 8 + 4, 4, 1, 0, 2 * M_PI);
    cairo_arc(cr, plank * 8 + 4, 28, 1, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  SaveTexture(outDir, "textures/" + file, c);
}

void Metal(const path& outDir) {
  Canvas c(kTile, kTile);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, 32, 32);
  FillLinear(cr, 0, 0, 32, 32, {{0, {0.82, 0.85, 0.9}}, {0.5, {0.58, 0.62, 0.68}}, {1, {0.45, 0.48, 0.54}}});
  cairo_rectangle(cr, 1, 1, 30, 30);
  SetColor(cr, Hex(0x3c414a));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  for (double x : {5.0, 27.0})
    for (double y : {5.0, 27.0}) {
      cairo_arc(cr, x, y, 2, 0, 2 * M_PI);
      SetColor(cr, Hex(0x4a505a));
      cairo_fill(cr);
      cairo_arc(cr, x - 0.6, y - 0.6, 0.8, 0, 2 * M_PI);
      SetColor(cr, {1, 1, 1}, 0.8);
      cairo_fill(cr);
    }
  SetColor(cr, {1, 1, 1}, 0.35);
  cairo_set_line_width(cr, 4);
  cairo_move_to(cr, 8, 24);
  cairo_line_to(cr, 24, 8);
  cairo_stroke(cr);
  SaveTexture(outDir, "textures/tile_wall_metal.dds", c);
}

void GroundWall(const path& outDir) {
  Canvas c(kTile, kTile);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, 0, 0, 32, 32);
  SetColor(cr, Hex(0x5a3c22));
  cairo_fill(cr);
  Scatter rnd(103);
  for (int i = 0; i < 14; ++i) {
    const double x = rnd.Range(2, 30), y = rnd.Range(2, 30), r = rnd.Range(1, 2.8);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    SetColor(cr, Shade(Hex(0x8a6a48), rnd.Range(0.8, 1.2)));
    cairo_fill(cr);
  }
  SaveTexture(outDir, "textures/tile_wall_ground.bmp", c);
}

}  // namespace

void DrawNormalTile(cairo_t* cr, double x, double y, double scale, std::uint32_t rgb) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  NormalTile(cr, Hex(rgb));
  cairo_restore(cr);
}

void MakeTiles(const path& outDir) {
  std::uint32_t seed = 1;
  for (const TileColour& colour : kColours) SaveGroundSet(outDir, colour.name, Hex(colour.rgb), seed++);
  SaveGroundSet(outDir, "bw", kGrey, seed);
  Glass(outDir, "tile_ground_glass.bmp", Hex(0x5ec8f0));
  Glass(outDir, "tile_ground_glass_bw.bmp", Hex(0xa8aab0));
  Stone(outDir);
  Bricks(outDir, "tile_wall_bricks.bmp", Hex(0xb0472e), Hex(0xd9c7a8), 8, 16);
  Bricks(outDir, "tile_wall_bricks2.bmp", Hex(0x7c8593), Hex(0x3f434b), 16, 16);
  Bricks(outDir, "tile_wall_bricks2_bw.bmp", Hex(0x8a8a8a), Hex(0x404040), 16, 16);
  Wood(outDir, "tile_wall_wood.bmp", Hex(0xb87a3e));
  Wood(outDir, "tile_wall_wood_bw.bmp", Hex(0x9a9a9a));
  Metal(outDir);
  GroundWall(outDir);
}

}  // namespace assetgen
