#include "platform/sprite_blend.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillon::platform {

namespace {

// v / 255 rounded down, exact for every product of two bytes.
inline std::uint32_t Div255(std::uint32_t v) { return (v + 1 + (v >> 8)) >> 8; }

// Cuts the copy so that it reads only inside the picture and writes only
// inside the clip box; false when nothing is left.
bool CutToBounds(const BlendTarget& dst, const BlendSource& src, PixelBox& s, int& dx, int& dy) {
  if (s.X < 0) s.W += s.X, dx -= s.X, s.X = 0;
  if (s.Y < 0) s.H += s.Y, dy -= s.Y, s.Y = 0;
  s.W = std::min(s.W, src.Width - s.X);
  s.H = std::min(s.H, src.Height - s.Y);
  const PixelBox& c = dst.Clip;
  if (const int cut = c.X - dx; cut > 0) s.W -= cut, s.X += cut, dx += cut;
  if (const int cut = c.Y - dy; cut > 0) s.H -= cut, s.Y += cut, dy += cut;
  s.W = std::min(s.W, c.X + c.W - dx);
  s.H = std::min(s.H, c.Y + c.H - dy);
  return s.W > 0 && s.H > 0;
}

#if defined(__SSE2__)
// Div255 on eight 16-bit lanes.
inline __m128i Div255x8(__m128i v) {
  const __m128i one = _mm_set1_epi16(1);
  return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(v, one), _mm_srli_epi16(v, 8)), 8);
}

// Two pixels widened to 16-bit lanes (blue, green, red, alpha each).
inline __m128i BlendTwo(__m128i src, __m128i dst, __m128i modulate) {
  const __m128i s = Div255x8(_mm_mullo_epi16(src, modulate));
  __m128i a = _mm_shufflelo_epi16(s, 0xFF);
  a = _mm_shufflehi_epi16(a, 0xFF);
  // A texel at full alpha passes unchanged (x * 255 / 255 = x), so the
  // premultiplication needs no test for it.
  const __m128i premultiplied = Div255x8(_mm_mullo_epi16(s, a));
  const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(255), a);
  return _mm_add_epi16(premultiplied, Div255x8(_mm_mullo_epi16(keep, dst)));
}

// Four pixels at a time; returns how many were done.
int BlendRowWide(std::uint32_t* out, const std::uint32_t* in, int n, const BlendColour& colour) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i modulate = _mm_setr_epi16(colour.Blue, colour.Green, colour.Red, colour.Alpha, colour.Blue,
                                          colour.Green, colour.Red, colour.Alpha);
  const __m128i alphaBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i colourBytes = _mm_set1_epi32(0x00FFFFFF);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i src = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    // Four fully clear texels leave the target as it is.
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(src, alphaBytes), zero)) == 0xFFFF) continue;
    __m128i* at = reinterpret_cast<__m128i*>(out + i);
    const __m128i dst = _mm_loadu_si128(at);
    const __m128i low = BlendTwo(_mm_unpacklo_epi8(src, zero), _mm_unpacklo_epi8(dst, zero), modulate);
    const __m128i high = BlendTwo(_mm_unpackhi_epi8(src, zero), _mm_unpackhi_epi8(dst, zero), modulate);
    _mm_storeu_si128(at, _mm_and_si128(_mm_packus_epi16(low, high), colourBytes));
  }
  return i;
}
#else
int BlendRowWide(std::uint32_t*, const std::uint32_t*, int, const BlendColour&) { return 0; }
#endif

void BlendRow(std::uint32_t* out, const std::uint32_t* in, int n, const BlendColour& colour) {
  const std::uint32_t mr = colour.Red, mg = colour.Green, mb = colour.Blue, ma = colour.Alpha;
  for (int i = BlendRowWide(out, in, n, colour); i < n; ++i) {
    const std::uint32_t s = in[i];
    const std::uint32_t a = Div255((s >> 24) * ma);
    if (a == 0) continue;  // leaves the target as it is
    std::uint32_t r = Div255(((s >> 16) & 0xFF) * mr);
    std::uint32_t g = Div255(((s >> 8) & 0xFF) * mg);
    std::uint32_t b = Div255((s & 0xFF) * mb);
    if (a < 255) {
      r = Div255(r * a), g = Div255(g * a), b = Div255(b * a);
    }
    const std::uint32_t d = out[i], keep = 255 - a;
    r += Div255(keep * ((d >> 16) & 0xFF));
    g += Div255(keep * ((d >> 8) & 0xFF));
    b += Div255(keep * (d & 0xFF));
    out[i] = (r << 16) | (g << 8) | b;
  }
}

}  // namespace

void BlendSprite(const BlendTarget& dst, const BlendSource& src, PixelBox srcRect, int dstX, int dstY,
                 const BlendColour& colour) {
  if (!dst.Pixels || !src.Pixels || colour.Alpha == 0) return;
  if (!CutToBounds(dst, src, srcRect, dstX, dstY)) return;
  for (int y = 0; y < srcRect.H; ++y) {
    const std::uint32_t* in = src.Pixels + static_cast<std::size_t>(srcRect.Y + y) * src.Width + srcRect.X;
    std::uint32_t* out = dst.Pixels + static_cast<std::size_t>(dstY + y) * dst.Pitch + dstX;
    BlendRow(out, in, srcRect.W, colour);
  }
}

namespace {

// Quarter turns exactly, so that they move whole pixels.
void SinCos(double degrees, double& sine, double& cosine) {
  const double reduced = std::fmod(degrees, 360.0);
  const double quarters = reduced / 90.0;
  if (quarters == std::floor(quarters)) {
    const int q = (static_cast<int>(quarters) % 4 + 4) % 4;
    static constexpr double kSin[] = {0, 1, 0, -1}, kCos[] = {1, 0, -1, 0};
    sine = kSin[q];
    cosine = kCos[q];
    return;
  }
  const double radians = reduced * 3.14159265358979323846 / 180.0;
  sine = std::sin(radians);
  cosine = std::cos(radians);
}

// The target pixels the turned sprite may touch, inside the clip box.
bool TurnedBounds(const TurnedPlacement& p, double sine, double cosine, const PixelBox& clip, PixelBox& out) {
  double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
  for (const double cx : {0.0, p.W}) {
    for (const double cy : {0.0, p.H}) {
      const double dx = cx - p.CenterX, dy = cy - p.CenterY;
      const double x = p.X + p.CenterX + dx * cosine - dy * sine;
      const double y = p.Y + p.CenterY + dx * sine + dy * cosine;
      minX = std::min(minX, x), maxX = std::max(maxX, x);
      minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
  }
  const double left = std::max(std::floor(minX), double(clip.X)),
               top = std::max(std::floor(minY), double(clip.Y));
  const double right = std::min(std::ceil(maxX), double(clip.X + clip.W));
  const double bottom = std::min(std::ceil(maxY), double(clip.Y + clip.H));
  if (!(left < right && top < bottom)) return false;
  out = PixelBox{int(left), int(top), int(right - left), int(bottom - top)};
  return true;
}

// The steps i of 0..count at which start + i x step lies in [lo, hi), as
// [first, last).
void Span(double start, double step, double lo, double hi, int count, int& first, int& last) {
  double from = 0, to = count;
  if (step > 0) {
    from = std::ceil((lo - start) / step), to = std::ceil((hi - start) / step);
  } else if (step < 0) {
    from = std::floor((hi - start) / step) + 1, to = std::floor((lo - start) / step) + 1;
  } else if (!(start >= lo && start < hi)) {
    to = 0;
  }
  from = std::max(from, 0.0), to = std::min(to, double(count));
  if (!(from < to)) from = to = 0;  // NaN too
  first = static_cast<int>(from), last = static_cast<int>(to);
}

}  // namespace

void BlendTurnedSprite(const BlendTarget& dst, const BlendSource& src, const PixelBox& srcRect,
                       const TurnedPlacement& place, const BlendColour& colour,
                       std::vector<std::uint32_t>& row) {
  if (!dst.Pixels || !src.Pixels || colour.Alpha == 0 || place.W == 0 || place.H == 0) return;
  const double all =
      place.X + place.Y + place.W + place.H + place.AngleDegrees + place.CenterX + place.CenterY;
  if (!std::isfinite(all)) return;  // nowhere to put it
  // The texels that exist: the source rectangle within the picture, in
  // texels from the rectangle's corner.
  const std::int64_t loU = std::max<std::int64_t>(0, -std::int64_t{srcRect.X});
  const std::int64_t loV = std::max<std::int64_t>(0, -std::int64_t{srcRect.Y});
  const std::int64_t hiU = std::min<std::int64_t>(srcRect.W, std::int64_t{src.Width} - srcRect.X);
  const std::int64_t hiV = std::min<std::int64_t>(srcRect.H, std::int64_t{src.Height} - srcRect.Y);
  if (loU >= hiU || loV >= hiV) return;
  double sine = 0, cosine = 1;
  SinCos(place.AngleDegrees, sine, cosine);
  PixelBox box;
  if (!TurnedBounds(place, sine, cosine, dst.Clip, box)) return;
  // A target point q comes from the texel at S^-1 (R^-1 (q - corner - centre) + centre).
  const double sx = place.W / srcRect.W, sy = place.H / srcRect.H;
  const double stepU = cosine / sx, stepV = -sine / sy;
  row.resize(static_cast<std::size_t>(box.W));
  for (int y = box.Y; y < box.Y + box.H; ++y) {
    const double dx = box.X + 0.5 - place.X - place.CenterX, dy = y + 0.5 - place.Y - place.CenterY;
    const double u0 = (dx * cosine + dy * sine + place.CenterX) / sx;
    const double v0 = (-dx * sine + dy * cosine + place.CenterY) / sy;
    int firstU, lastU, firstV, lastV;
    Span(u0, stepU, double(loU), double(hiU), box.W, firstU, lastU);
    Span(v0, stepV, double(loV), double(hiV), box.W, firstV, lastV);
    const int first = std::max(firstU, firstV), last = std::min(lastU, lastV);
    if (first >= last) continue;
    const double minU = double(loU), maxU = double(hiU - 1), minV = double(loV), maxV = double(hiV - 1);
    for (int i = first; i < last; ++i) {
      // The span keeps u and v in range up to rounding; the clamps make sure.
      const auto u = static_cast<std::int64_t>(std::clamp(u0 + i * stepU, minU, maxU));
      const auto v = static_cast<std::int64_t>(std::clamp(v0 + i * stepV, minV, maxV));
      row[i - first] = src.Pixels[static_cast<std::size_t>(srcRect.Y + v) * src.Width + (srcRect.X + u)];
    }
    BlendRow(dst.Pixels + static_cast<std::size_t>(y) * dst.Pitch + box.X + first, row.data(), last - first,
             colour);
  }
}

}  // namespace quillon::platform
