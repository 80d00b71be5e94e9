#pragma once
// The sprite transform of Draw and DrawText, worked out as numbers only.

#include <cstdint>
#include <optional>

#include "platform/video.h"
#include "quillon/records.h"

namespace quillon {

struct SpriteColour {
  std::uint8_t Red = 255, Green = 255, Blue = 255, Alpha = 255;
};

// A colour channel given as any number: rounded (halves to even) and held
// to 0..255.
std::uint8_t ChannelByte(double value);
// Draw's alpha from a transparency of 0..100: 255 / 100 x AlphaTransp,
// rounded halves to even (50 gives 128).
std::uint8_t AlphaFromTransparency(double alphaTransp);

// Draw's sprite: source rectangle from SrcX/SrcY and the size, scaling by the
// source rectangle's right and bottom edges, centre in the middle of the drawn
// sprite unless given. nullopt when nothing can be drawn (a scaling divisor
// of 0, a rectangle out of range).
std::optional<SpriteVars> MakeSprite(float X, float Y, float Width, float Height, float RotationAng,
                                     float SrcX, float SrcY, float scaleWidth, float scaleHeight,
                                     float centerRotationX, float centerRotationY, float rad);

// What the renderer draws for the sprite. angleDegrees is the caller's angle
// (positive counterclockwise); the renderer turns the other way.
platform::SpriteCall ToSpriteCall(const SpriteVars& sprite, float angleDegrees, const SpriteColour& colour);

}  // namespace quillon
