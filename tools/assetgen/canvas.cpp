#include "canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace assetgen {

Rgb Hex(std::uint32_t rgb) {
  return {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0};
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Shade(Rgb c, double factor) {
  if (factor <= 1) return {c.r * factor, c.g * factor, c.b * factor};
  return Mix(c, {1, 1, 1}, std::min(1.0, factor - 1));
}

void SetColor(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_.get())) {
  if (cairo_status(cr_.get()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot create a drawing surface");
  cairo_set_antialias(cr_.get(), CAIRO_ANTIALIAS_GRAY);
}

Pixels Canvas::Read() const {
  cairo_surface_flush(surface_.get());
  Pixels out{width_, height_, std::vector<std::uint8_t>(static_cast<size_t>(width_) * height_ * 4)};
  const unsigned char* data = cairo_image_surface_get_data(surface_.get());
  const int stride = cairo_image_surface_get_stride(surface_.get());
  for (int y = 0; y < height_; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width_; ++x) {
      const std::uint32_t p = row[x];
      const unsigned a = p >> 24;
      std::uint8_t* o = out.At(x, y);
      // Cairo stores premultiplied colour; undo it with rounding.
      for (int c = 0; c < 3; ++c) {
        const unsigned v = (p >> (16 - 8 * c)) & 0xff;
        o[c] = a == 0 ? 0 : static_cast<std::uint8_t>(std::min(255u, (v * 255 + a / 2) / a));
      }
      o[3] = static_cast<std::uint8_t>(a);
    }
  }
  return out;
}

struct Lettering::Impl {
  FT_Library library = nullptr;
  cairo_font_face_t* bold = nullptr;
  cairo_font_face_t* regular = nullptr;
};

namespace {

const cairo_user_data_key_t kFaceKey{};

cairo_font_face_t* LoadFace(FT_Library library, const std::string& file) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.c_str(), 0, &face) != 0) throw std::runtime_error("cannot open font " + file);
  cairo_font_face_t* cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
  // Cairo may keep the face in its caches after we drop it; it releases the
  // FreeType face itself when the last reference goes.
  cairo_font_face_set_user_data(cairoFace, &kFaceKey, face,
                                [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
  return cairoFace;
}

}  // namespace

Lettering::Lettering() : impl_(std::make_unique<Impl>()) {
  if (FT_Init_FreeType(&impl_->library) != 0) throw std::runtime_error("cannot start FreeType");
  const std::string dir = ASSETGEN_FONT_DIR;
  impl_->bold = LoadFace(impl_->library, dir + "/DejaVuSans-Bold.ttf");
  impl_->regular = LoadFace(impl_->library, dir + "/DejaVuSans.ttf");
}

// The FreeType library stays alive until the process ends: Cairo's font cache
// may still hold faces that belong to it.
Lettering::~Lettering() {
  cairo_font_face_destroy(impl_->bold);
  cairo_font_face_destroy(impl_->regular);
}

void Lettering::Use(cairo_t* cr, Weight weight, double size) const {
  cairo_set_font_face(cr, weight == Weight::Bold ? impl_->bold : impl_->regular);
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

double TextWidth(cairo_t* cr, std::string_view text) {
  const std::string s(text);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, s.c_str(), &ext);
  return ext.x_advance;
}

namespace {

double StartX(cairo_t* cr, std::string_view text, double x, Align align) {
  if (align == Align::Left) return x;
  const double w = TextWidth(cr, text);
  return align == Align::Center ? x - w / 2 : x - w;
}

}  // namespace

void StyledText(cairo_t* cr, std::string_view text, double x, double y, Align align, const TextStyle& style) {
  const std::string s(text);
  const double left = StartX(cr, text, x, align);
  cairo_font_extents_t fe;
  cairo_font_extents(cr, &fe);
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (style.shadow > 0) {
    cairo_new_path(cr);
    cairo_move_to(cr, left + style.shadow, y + style.shadow);
    cairo_text_path(cr, s.c_str());
    SetColor(cr, {0, 0, 0}, style.shadowAlpha);
    cairo_set_line_width(cr, style.outlineWidth * 2);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, left, y);
  cairo_text_path(cr, s.c_str());
  if (style.outlineWidth > 0) {
    SetColor(cr, style.outline);
    cairo_set_line_width(cr, style.outlineWidth * 2);
    cairo_stroke_preserve(cr);
  }
  FillLinear(cr, 0, y - fe.ascent * 0.8, 0, y, {{0, style.top}, {1, style.bottom}});
  cairo_restore(cr);
}

void PlainText(cairo_t* cr, std::string_view text, double x, double y, Align align, Rgb color, double alpha) {
  const std::string s(text);
  cairo_move_to(cr, StartX(cr, text, x, align), y);
  SetColor(cr, color, alpha);
  cairo_show_text(cr, s.c_str());
  cairo_new_path(cr);
}

std::vector<std::string> WrapText(cairo_t* cr, std::string_view text, double width) {
  std::vector<std::string> lines;
  std::istringstream words{std::string(text)};
  std::string word, line;
  while (words >> word) {
    const std::string candidate = line.empty() ? word : line + " " + word;
    if (!line.empty() && TextWidth(cr, candidate) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = candidate;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

double Paragraph(cairo_t* cr, std::string_view text, double x, double top, double width, double lineHeight,
                 Rgb color) {
  cairo_font_extents_t fe;
  cairo_font_extents(cr, &fe);
  double y = top;
  for (const std::string& line : WrapText(cr, text, width)) {
    PlainText(cr, line, x, y + fe.ascent, Align::Left, color);
    y += lineHeight;
  }
  return y;
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void FillLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
                std::initializer_list<ColorStop> stops, bool keepPath) {
  cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
  for (const ColorStop& s : stops) {
    cairo_pattern_add_color_stop_rgb(g, s.offset, s.color.r, s.color.g, s.color.b);
  }
  cairo_set_source(cr, g);
  if (keepPath) {
    cairo_fill_preserve(cr);
  } else {
    cairo_fill(cr);
  }
  cairo_pattern_destroy(g);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double angle) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  if (angle != 0) cairo_rotate(cr, angle);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

}  // namespace assetgen
