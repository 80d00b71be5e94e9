#include "platform/sprite_blend.h"

#include <algorithm>

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

}  // namespace quillon::platform
