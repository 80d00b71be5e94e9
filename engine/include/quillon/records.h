#pragma once
// The engine's public records: what GetMouseState fills, the parameters of one
// sprite draw, a bitmap-font cell and a created system font.

#include <cstdint>
#include <memory>
#include <string>

namespace quillon {

namespace platform {
class TextFont;
}

struct Mouse {
  std::int32_t X = 0;  // engine coordinates
  std::int32_t Y = 0;
  std::int32_t Wheel = 0;                                // notches since the library was loaded
  bool B1Down = false, B1Up = false, B1Clicked = false;  // left
  bool B2Down = false, B2Up = false, B2Clicked = false;  // right
  bool B3Down = false, B3Up = false, B3Clicked = false;  // middle
};

struct Vector2 {
  float x = 0;
  float y = 0;
};

struct LongRect {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// One queued sprite: scaled by Scaling, turned by Rotation (radians, positive
// clockwise on the screen) about Center, moved to Translation.
struct SpriteVars {
  Vector2 Translation;
  LongRect SrcRect;
  Vector2 Center;
  float Rotation = 0;
  Vector2 Scaling{1, 1};
};

// Top-left texel of one bitmap-font cell.
struct LetterSpecs {
  std::int16_t X = 0;
  std::int16_t Y = 0;
};

// What a system font was made from.
struct FontDesc {
  std::string Name;
  std::int16_t Size = 10;  // points
  bool Bold = false;
  bool Italic = false;
};

struct DXFonts {
  std::shared_ptr<platform::TextFont> Info;  // the opened face; empty when it could not be opened
  FontDesc InfoDesc;
  std::string Name;  // the key, lower-cased
};

}  // namespace quillon
