#pragma once
// Tinted, alpha-blended sprite copies done by the engine itself for the
// software renderer. SDL's own blitter for a colour- or alpha-modulated source
// is a general per-pixel routine and costs most of a busy frame; this one
// gives the same pixels (same integer rounding) at a fraction of the cost.

#include <cstdint>
#include <vector>

namespace quillon::platform {

struct PixelBox {
  int X = 0, Y = 0, W = 0, H = 0;
};

// An XRGB target (the top byte is not kept) and the part of it that may change.
struct BlendTarget {
  std::uint32_t* Pixels = nullptr;
  int Pitch = 0;  // in pixels
  PixelBox Clip;  // already inside the target
};

// An ARGB picture.
struct BlendSource {
  const std::uint32_t* Pixels = nullptr;
  int Width = 0, Height = 0;
};

struct BlendColour {
  std::uint8_t Red = 255, Green = 255, Blue = 255, Alpha = 255;
};

// Copies the part srcRect of src to (dstX, dstY), one texel per pixel: each
// texel is multiplied by colour, then laid over the target by its alpha.
// srcRect is cut to the picture and the copy to the target's clip box.
void BlendSprite(const BlendTarget& dst, const BlendSource& src, PixelBox srcRect, int dstX, int dstY,
                 const BlendColour& colour);

// Where a turned (and possibly scaled or mirrored) sprite goes: its unturned
// corner and size on the target, the angle in degrees (positive turns
// clockwise on a target whose y axis points down) and the centre of the turn
// measured from that corner.
struct TurnedPlacement {
  double X = 0, Y = 0, W = 0, H = 0;
  double AngleDegrees = 0;
  double CenterX = 0, CenterY = 0;
};

// Draws srcRect of src turned about the centre: each target pixel whose
// middle falls on a texel of srcRect takes that texel (nearest), multiplied by
// colour and laid over the target by its alpha, as BlendSprite does. row is
// scratch space, kept by the caller so that no draw allocates.
void BlendTurnedSprite(const BlendTarget& dst, const BlendSource& src, const PixelBox& srcRect,
                       const TurnedPlacement& place, const BlendColour& colour,
                       std::vector<std::uint32_t>& row);

}  // namespace quillon::platform
