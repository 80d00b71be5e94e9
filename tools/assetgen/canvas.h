#pragma once
// A drawing surface (Cairo image surface and context, owned together) and the
// lettering every texture with text uses: DejaVu Sans loaded straight from its
// files through FreeType, so no font configuration can change the output.

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace assetgen {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

// 0xRRGGBB to a colour with channels 0..1.
Rgb Hex(std::uint32_t rgb);
Rgb Mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b
Rgb Shade(Rgb c, double factor);  // < 1 darker, > 1 lighter (toward white)

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);

// Straight (not premultiplied) RGBA bytes, rows top to bottom.
struct Pixels {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
  std::uint8_t* At(int x, int y) { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  const std::uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

class Canvas {
 public:
  Canvas(int width, int height);  // fully transparent
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_.get(); }
  cairo_surface_t* surface() const { return surface_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  Pixels Read() const;

 private:
  struct SurfaceFree {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
  };
  struct ContextFree {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
  };
  int width_, height_;
  std::unique_ptr<cairo_surface_t, SurfaceFree> surface_;
  std::unique_ptr<cairo_t, ContextFree> cr_;
};

enum class Weight { Regular, Bold };

class Lettering {
 public:
  Lettering();
  ~Lettering();
  Lettering(const Lettering&) = delete;
  Lettering& operator=(const Lettering&) = delete;

  // Selects the face and size on cr with fixed rendering options (grey
  // antialiasing, no hinting), the same on every machine.
  void Use(cairo_t* cr, Weight weight, double size) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

double TextWidth(cairo_t* cr, std::string_view text);

// Lettering style of titles and buttons: a fill gradient from top to bottom,
// an outline and an optional drop shadow.
struct TextStyle {
  Rgb top{1, 1, 1};
  Rgb bottom = Hex(0xcfe6ff);
  Rgb outline = Hex(0x1b2f6b);
  double outlineWidth = 3;
  double shadow = 2;  // offset of the shadow; 0 for none
  double shadowAlpha = 0.45;
};

enum class Align { Left, Center, Right };

// Draws one line with the current face and size; x is its left edge, centre
// or right edge by align, y the baseline.
void StyledText(cairo_t* cr, std::string_view text, double x, double y, Align align, const TextStyle& style);
void PlainText(cairo_t* cr, std::string_view text, double x, double y, Align align, Rgb color,
               double alpha = 1.0);

// Breaks text into lines no wider than width with the current face and size.
std::vector<std::string> WrapText(cairo_t* cr, std::string_view text, double width);

// Writes a wrapped paragraph from the top-left (x, top); returns the y below it.
double Paragraph(cairo_t* cr, std::string_view text, double x, double top, double width, double lineHeight,
                 Rgb color);

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// Fills the current path with a linear gradient from (x0, y0) to (x1, y1);
// keepPath leaves the path for an outline.
struct ColorStop {
  double offset;
  Rgb color;
};
void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
                std::initializer_list<ColorStop> stops, bool keepPath = false);

// Adds an ellipse centred on (cx, cy) with radii rx, ry, its axes turned by
// angle (radians), to the current path.
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double angle = 0);

}  // namespace assetgen
