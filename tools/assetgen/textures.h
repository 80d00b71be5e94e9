#pragma once
// The texture groups of the catalogue; GenerateTextures runs them all.

#include <cstdint>
#include <filesystem>

#include "canvas.h"
#include "image_files.h"

namespace assetgen {

using std::filesystem::path;

void MakeTiles(const path& outDir);                                // ground tiles, glass, stone, walls
void MakeHero(const path& outDir);                                 // Tobo, his eyes and ears
void MakeItems(const path& outDir, const Lettering& font);         // bonuses, drills, effects, gauges
void MakeBackdrops(const path& outDir);                            // sky, flat colours, clouds, debug window
void MakeMenuTextures(const path& outDir, const Lettering& font);  // buttons, labels, banners
void MakeCredits(const path& outDir, const Lettering& font);
void MakePages(const path& outDir, const Lettering& font);     // story and how-to-play pages
void MakePictures(const path& outDir, const Lettering& font);  // JPEG screens, logos, butterflies

// The two end pictures that travel in the archive.
Bytes StoryWonPicture(const Lettering& font);
Bytes ArcadeWonPicture(const Lettering& font);

// A small fixed-seed generator so scattered details come out the same on
// every run.
class Scatter {
 public:
  explicit Scatter(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
  double Next() {  // [0, 1)
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / 16777216.0;
  }
  double Range(double lo, double hi) { return lo + (hi - lo) * Next(); }

 private:
  std::uint32_t state_;
};

}  // namespace assetgen

namespace assetgen {

// Tobo as a whole (body, eyes, pupils, ears) for pictures and pages: the
// 32 x 32 sprite design scaled about its top-left corner at (x, y).
void DrawTobo(cairo_t* cr, double x, double y, double scale, bool bigEars = false);

// A normal ground tile of colour rgb, the 32 x 32 design scaled about its
// top-left corner at (x, y).
void DrawNormalTile(cairo_t* cr, double x, double y, double scale, std::uint32_t rgb);

}  // namespace assetgen

namespace assetgen {

// The project's pebble mark with its name, `width` wide, centred on (cx, cy).
void DrawProjectMark(cairo_t* cr, double cx, double cy, double width, const Lettering& font, Rgb ink);

}  // namespace assetgen

namespace assetgen {

// A bonus picture ("bomb", "bombglass", "pie", "boot", "ears") as drawn on
// the field, 32 x 32 at scale 1, from (x, y).
void DrawBonus(cairo_t* cr, std::string_view type, double x, double y, double scale);

}  // namespace assetgen
