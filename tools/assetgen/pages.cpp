// The two story pages and the how-to-play page: 512 x 512 cards with a
// title, short paragraphs and small drawings in the game's own style.

#include <cmath>
#include <string>

#include "textures.h"

namespace assetgen {

namespace {

const Rgb kInk = Hex(0x1b2f6b);

void Card(cairo_t* cr, const Lettering& font, const std::string& title) {
  RoundedRect(cr, 8, 8, 496, 496, 26);
  FillLinear(cr, 0, 8, 0, 504, {{0, {0.97, 0.99, 1.0}}, {1, {0.84, 0.91, 1.0}}}, true);
  SetColor(cr, kInk);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  font.Use(cr, Weight::Bold, 40);
  TextStyle style;
  style.top = Hex(0xfff6a0);
  style.bottom = Hex(0xff9a1e);
  style.outlineWidth = 3.5;
  style.shadow = 2.5;
  StyledText(cr, title, 256, 58, Align::Center, style);
}

double Text(cairo_t* cr, const Lettering& font, std::string_view text, double top, double size = 17) {
  font.Use(cr, Weight::Regular, size);
  return Paragraph(cr, text, 34, top, 444, size * 1.3, kInk) + size / 2;
}

void MiniTile(cairo_t* cr, double x, double y, double s, std::uint32_t rgb) {
  RoundedRect(cr, x + 1, y + 1, s - 2, s - 2, s / 7);
  SetColor(cr, Hex(rgb));
  cairo_fill_preserve(cr);
  SetColor(cr, Shade(Hex(rgb), 0.5));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  RoundedRect(cr, x + s * 0.15, y + s * 0.15, s * 0.4, s * 0.18, s / 12);
  SetColor(cr, {1, 1, 1}, 0.5);
  cairo_fill(cr);
}

void DrillRow(cairo_t* cr, double x0, double y, int count, double s) {
  for (int i = 0; i < count; ++i) {
    const double x = x0 + i * s;
    cairo_move_to(cr, x + s * 0.1, y);
    cairo_line_to(cr, x + s * 0.9, y);
    cairo_line_to(cr, x + s * 0.5, y + s);
    cairo_close_path(cr);
    SetColor(cr, Hex(0xc8d0dc));
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x2a2e38));
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
  }
}

void Water(cairo_t* cr, double x, double y, double w, double h) {
  cairo_move_to(cr, x, y);
  for (double t = 0; t <= w; t += 4) cairo_line_to(cr, x + t, y + 3 * std::sin(t / 9));
  cairo_line_to(cr, x + w, y + h);
  cairo_line_to(cr, x, y + h);
  cairo_close_path(cr);
  SetColor(cr, Hex(0x2f6fe0), 0.55);
  cairo_fill(cr);
}

void StoryPage1(const path& outDir, const Lettering& font) {
  Canvas c(512, 512);
  cairo_t* cr = c.cr();
  Card(cr, font, "THE STORY");
  double y = 82;
  y = Text(cr, font,
           "High above the clouds stands Pebble Peak, a tall tower of bright tiles stacked up by the "
           "wind. On its very top lives Tobo, a small, round, blue fellow with big curious eyes.",
           y, 16);
  y = Text(cr, font,
           "One morning a humming sound woke him. A row of shiny drills was coming down from the sky, "
           "chewing up the tiles one row after another!",
           y, 16);
  Text(cr, font,
       "There was only one way to go: down. All the way down, through mud, gum and ice, to the warm "
       "green valley far below.",
       y, 16);
  // Tobo on top of the peak, drills above him.
  const std::uint32_t colours[] = {0x52c03c, 0xf79a22, 0x2f6fe0, 0xe3383a, 0xf4d52c, 0x8150dc};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 6; ++col)
      MiniTile(cr, 160 + col * 32, 404 + row * 32, 32, colours[(row * 2 + col) % 6]);
  DrillRow(cr, 150, 318, 7, 30);
  DrawTobo(cr, 232, 354, 1.5);
  SaveTexture(outDir, "textures/menu/story.dds", c);
}

void StoryPage2(const path& outDir, const Lettering& font) {
  Canvas c(512, 512);
  cairo_t* cr = c.cr();
  Card(cr, font, "THE DESCENT");
  double y = 84;
  y = Text(cr, font,
           "Tobo jumps, bounces and slides from ledge to ledge. Gum throws him back into the air, mud "
           "holds his feet and ice will not let him stop.",
           y);
  y = Text(cr, font,
           "On the way he finds bombs to blast a path, glass bombs that turn tiles into glass, pies "
           "that make him heavy, boots that make him quick and big ears to glide on.",
           y);
  Text(cr, font,
       "But hurry! The drills never rest. Ten levels lie between Tobo and the valley. Can you bring "
       "him down safely?",
       y);
  Water(cr, 12, 470, 488, 30);
  const char* bonuses[] = {"bomb", "bombglass", "pie", "boot", "ears"};
  for (int i = 0; i < 5; ++i) DrawBonus(cr, bonuses[i], 40 + i * 44, 400, 1.2);
  MiniTile(cr, 300, 440, 30, 0x3cc0f0);
  MiniTile(cr, 330, 440, 30, 0x3cc0f0);
  DrawTobo(cr, 380, 360, 2.0, true);
  SaveTexture(outDir, "textures/menu/story2.dds", c);
}

void KeyCap(cairo_t* cr, const Lettering& font, double x, double y, double w, const std::string& label) {
  RoundedRect(cr, x, y, w, 28, 6);
  SetColor(cr, {1, 1, 1});
  cairo_fill_preserve(cr);
  SetColor(cr, kInk);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  font.Use(cr, Weight::Bold, label.size() > 3 ? 13 : 16);
  PlainText(cr, label, x + w / 2, y + 20, Align::Center, kInk);
}

void HowToPlay(const path& outDir, const Lettering& font) {
  Canvas c(512, 512);
  cairo_t* cr = c.cr();
  Card(cr, font, "HOW TO PLAY");
  struct Row {
    const char* keys[2];
    double widths[2];
    const char* text;
  };
  const Row rows[] = {
      {{"\u2190", "\u2192"}, {30, 30}, "walk left and right"},
      {{"\u2191", nullptr}, {30, 0}, "jump; hold it in the air to glide"},
      {{"\u2193", "SPACE"}, {30, 62}, "drop a bomb"},
      {{"P", nullptr}, {30, 0}, "pause"},
      {{"ESC", nullptr}, {42, 0}, "end the game"},
      {{"S", nullptr}, {30, 0}, "take a screenshot"},
  };
  double y = 80;
  for (const Row& r : rows) {
    double x = 34;
    for (int k = 0; k < 2 && r.keys[k]; ++k) {
      KeyCap(cr, font, x, y, r.widths[k], r.keys[k]);
      x += r.widths[k] + 6;
    }
    font.Use(cr, Weight::Regular, 17);
    PlainText(cr, r.text, 150, y + 20, Align::Left, kInk);
    y += 31;
  }
  y += 2;
  y = Text(cr, font,
           "The drills come down and the view keeps sinking: stay ahead of the drills, but do not "
           "drop out of the bottom. Land hard to push tiles, harder to smash them. Glass breaks "
           "under you; stone holds the drills back.",
           y, 16);
  Text(cr, font, "In the story, grey tiles you touch get their colour back and score.", y, 16);
  const char* bonuses[] = {"bomb", "bombglass", "pie", "boot", "ears"};
  const char* names[] = {"bomb", "glass", "pie", "boots", "ears"};
  for (int i = 0; i < 5; ++i) {
    const double x = 56 + i * 88;
    DrawBonus(cr, bonuses[i], x, 432, 1.1);
    font.Use(cr, Weight::Bold, 13);
    PlainText(cr, names[i], x + 17, 486, Align::Center, kInk);
  }
  SaveTexture(outDir, "textures/menu/howtoplay.dds", c);
}

}  // namespace

void MakePages(const path& outDir, const Lettering& font) {
  StoryPage1(outDir, font);
  StoryPage2(outDir, font);
  HowToPlay(outDir, font);
}

}  // namespace assetgen
