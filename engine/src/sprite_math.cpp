#include "sprite_math.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "quillon/numbers.h"

namespace quillon {

std::uint8_t ChannelByte(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(std::clamp(value, -1.0, 256.0));  // halves to even
  return static_cast<std::uint8_t>(std::clamp(rounded, 0.0, 255.0));
}

std::uint8_t AlphaFromTransparency(double alphaTransp) {
  // 255 x t / 100 keeps 127.5 exact for t = 50, which then rounds to 128.
  return ChannelByte(255.0 * alphaTransp / 100.0);
}

std::optional<SpriteVars> MakeSprite(float X, float Y, float Width, float Height, float RotationAng,
                                     float SrcX, float SrcY, float scaleWidth, float scaleHeight,
                                     float centerRotationX, float centerRotationY, float rad) {
  SpriteVars s;
  s.Translation = {X, Y};
  const auto left = vb::CLng(SrcX), top = vb::CLng(SrcY);
  const auto right = vb::CLng(SrcX + Width), bottom = vb::CLng(SrcY + Height);
  if (!left || !top || !right || !bottom) return std::nullopt;
  if (std::int64_t{*right} - *left > INT32_MAX || std::int64_t{*bottom} - *top > INT32_MAX)
    return std::nullopt;
  s.SrcRect = {*left, *top, *right, *bottom};
  s.Rotation = RotationAng != 0 ? -RotationAng * rad : 0.0f;
  if (scaleWidth != 0) {
    if (*right == 0 || *bottom == 0) return std::nullopt;
    s.Scaling = {scaleWidth / static_cast<float>(*right), scaleHeight / static_cast<float>(*bottom)};
  }
  if (centerRotationX == -1) {
    s.Center = {(static_cast<float>(*right) - SrcX) / 2 * s.Scaling.x,
                (static_cast<float>(*bottom) - SrcY) / 2 * s.Scaling.y};
  } else {
    s.Center = {centerRotationX, centerRotationY};
  }
  return s;
}

platform::SpriteCall ToSpriteCall(const SpriteVars& sprite, float angleDegrees, const SpriteColour& colour) {
  platform::SpriteCall call;
  const auto& r = sprite.SrcRect;
  call.SrcX = r.Left;
  call.SrcY = r.Top;
  call.SrcW = r.Right - r.Left;
  call.SrcH = r.Bottom - r.Top;
  call.DstX = sprite.Translation.x;
  call.DstY = sprite.Translation.y;
  call.DstW = static_cast<float>(call.SrcW) * sprite.Scaling.x;
  call.DstH = static_cast<float>(call.SrcH) * sprite.Scaling.y;
  // The renderer turns clockwise for a positive angle. The angle is passed on
  // in degrees as given so that quarter turns stay exact.
  call.AngleDegrees = angleDegrees == 0 ? 0.0 : -static_cast<double>(angleDegrees);
  call.CenterX = sprite.Center.x;
  call.CenterY = sprite.Center.y;
  call.Red = colour.Red;
  call.Green = colour.Green;
  call.Blue = colour.Blue;
  call.Alpha = colour.Alpha;
  return call;
}

}  // namespace quillon
