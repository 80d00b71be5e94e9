// The desktop icons: Tobo standing on a row of tiles under the morning sky,
// on a rounded square; the settings dialog's icon adds a cog. One drawing in
// a 64-unit square serves every size and the scalable SVG.

#include <cairo-svg.h>

#include <cmath>
#include <string>

#include "generators.h"
#include "image_files.h"
#include "textures.h"

namespace assetgen {
namespace {

constexpr double kDesign = 64;
constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int kSvgSize = 256;

const Rgb kNavy = Hex(0x1b2f6b);

void Background(cairo_t* cr) {
  RoundedRect(cr, 2, 2, 60, 60, 12);
  FillLinear(cr, 0, 2, 0, 62, {{0, Hex(0xd8f0ff)}, {0.65, Hex(0x8cc8f4)}, {1, Hex(0x4f97e0)}}, true);
  SetColor(cr, kNavy);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

void Ground(cairo_t* cr) {
  cairo_save(cr);
  RoundedRect(cr, 3, 3, 58, 58, 11);
  cairo_clip(cr);
  const std::uint32_t colours[] = {0x52c03c, 0xf79a22, 0x2f6fe0};
  for (int i = 0; i < 3; ++i) DrawNormalTile(cr, 2 + i * 20, 44, 20.0 / 32, colours[i]);
  cairo_restore(cr);
}

void Cog(cairo_t* cr, double cx, double cy, double radius) {
  constexpr int kTeeth = 8;
  cairo_new_path(cr);
  for (int i = 0; i < kTeeth * 4; ++i) {
    // Each tooth: two corners out at the rim, two in at the root.
    const double angle = (i + 0.5) * M_PI / (kTeeth * 2);
    const double r = (i % 4 < 2) ? radius : radius * 0.72;
    cairo_line_to(cr, cx + r * std::cos(angle), cy + r * std::sin(angle));
  }
  cairo_close_path(cr);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, cx, cy, radius * 0.32, 2 * M_PI, 0);
  FillLinear(cr, cx - radius, cy - radius, cx + radius, cy + radius, {{0, Hex(0xf4f7fb)}, {1, Hex(0xa9b6c8)}},
             true);
  SetColor(cr, kNavy);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
}

void DrawIcon(cairo_t* cr, double size, bool settings) {
  cairo_save(cr);
  cairo_scale(cr, size / kDesign, size / kDesign);
  Background(cr);
  Ground(cr);
  // Big ears, standing on the tiles (his feet end 31 units down the sprite).
  constexpr double kToboScale = 1.2;
  DrawTobo(cr, (kDesign - 32 * kToboScale) / 2, 44 - 31 * kToboScale, kToboScale, true);
  if (settings) Cog(cr, 48, 48, 13);
  cairo_restore(cr);
}

Bytes Svg(bool settings) {
  Bytes out;
  cairo_surface_t* surface = cairo_svg_surface_create_for_stream(
      [](void* closure, const unsigned char* data, unsigned int length) {
        auto* b = static_cast<Bytes*>(closure);
        b->insert(b->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
      },
      &out, kSvgSize, kSvgSize);
  cairo_svg_surface_restrict_to_version(surface, CAIRO_SVG_VERSION_1_1);
  cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
  cairo_t* cr = cairo_create(surface);
  DrawIcon(cr, kSvgSize, settings);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("SVG encoder failed");
  return out;
}

}  // namespace

void GenerateIcons(const std::filesystem::path& outDir) {
  for (const bool settings : {false, true}) {
    const std::string name = settings ? "pebblerun-settings" : "pebblerun";
    for (const int size : kSizes) {
      Canvas c(size, size);
      DrawIcon(c.cr(), size, settings);
      const std::string folder = std::to_string(size) + "x" + std::to_string(size);
      WriteBytes(outDir, "hicolor/" + folder + "/apps/" + name + ".png", EncodePng(c));
    }
    WriteBytes(outDir, "hicolor/scalable/apps/" + name + ".svg", Svg(settings));
  }
}

}  // namespace assetgen
