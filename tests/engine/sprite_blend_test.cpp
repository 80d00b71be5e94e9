// The engine's own sprite copies on the software renderer: the same pixels as
// SDL's blitter, in the order the sprites were drawn.

#include <SDL.h>

#include <cmath>
#include <random>

#include "engine_fixture.h"
#include "platform/sprite_blend.h"

namespace quillon::testing {
namespace {

using platform::BlendColour;
using platform::PixelBox;

struct Surface {
  SDL_Surface* s;
  explicit Surface(SDL_Surface* surface) : s(surface) {}
  ~Surface() { SDL_FreeSurface(s); }
  std::uint32_t* Words() const { return static_cast<std::uint32_t*>(s->pixels); }
};

void Randomise(const Surface& surface, std::mt19937& random) {
  for (int i = 0; i < surface.s->w * surface.s->h; ++i) surface.Words()[i] = random();
}

// SDL's blit with colour and alpha modulation against ours, over every
// kind of cut: off each edge of the target, a clip box, a source rectangle
// reaching past the picture.
TEST(SpriteBlend, GivesSdlsPixels) {
  std::mt19937 random(7);
  const Surface source(SDL_CreateRGBSurfaceWithFormat(0, 24, 20, 32, SDL_PIXELFORMAT_ARGB8888));
  Randomise(source, random);
  // Fully clear and fully opaque texels as well as every level between.
  for (int i = 0; i < 40; ++i) source.Words()[i] &= 0x00FFFFFF, source.Words()[479 - i] |= 0xFF000000;
  SDL_SetSurfaceBlendMode(source.s, SDL_BLENDMODE_BLEND);
  const std::vector<BlendColour> colours{
      {255, 255, 255, 128}, {200, 100, 0, 255}, {17, 250, 99, 1}, {255, 255, 254, 255}, {0, 0, 0, 200}};
  const std::vector<std::pair<SDL_Rect, SDL_Point>> copies{{{0, 0, 24, 20}, {5, 6}},
                                                           {{3, 2, 10, 9}, {-4, -3}},
                                                           {{0, 0, 24, 20}, {30, 25}},
                                                           {{-5, -2, 20, 30}, {8, 8}},
                                                           {{10, 4, 30, 30}, {1, 1}}};
  const SDL_Rect clip{2, 3, 33, 28};
  for (const auto& colour : colours) {
    for (const auto& [rect, at] : copies) {
      const Surface theirs(SDL_CreateRGBSurfaceWithFormat(0, 40, 36, 32, SDL_PIXELFORMAT_RGB888));
      Randomise(theirs, random);
      std::vector<std::uint32_t> ours(theirs.Words(), theirs.Words() + 40 * 36);
      SDL_SetClipRect(theirs.s, &clip);
      SDL_SetSurfaceColorMod(source.s, colour.Red, colour.Green, colour.Blue);
      SDL_SetSurfaceAlphaMod(source.s, colour.Alpha);
      SDL_Rect src = rect, dst{at.x, at.y, 0, 0};
      ASSERT_EQ(SDL_BlitSurface(source.s, &src, theirs.s, &dst), 0) << SDL_GetError();
      platform::BlendSprite({ours.data(), 40, PixelBox{clip.x, clip.y, clip.w, clip.h}},
                            {source.Words(), 24, 20}, PixelBox{rect.x, rect.y, rect.w, rect.h}, at.x, at.y,
                            colour);
      for (int i = 0; i < 40 * 36; ++i) {
        ASSERT_EQ(ours[i] & 0xFFFFFF, theirs.Words()[i] & 0xFFFFFF)
            << "pixel " << i % 40 << "," << i / 40 << " colour " << int(colour.Red) << "/"
            << int(colour.Alpha) << " copy from " << rect.x << "," << rect.y;
      }
    }
  }
}

using SpriteOrder = EngineTest;

// Tinted sprites (copied by the engine) and turned or untinted ones (drawn by
// SDL) overlap in the order they were drawn, and a clip box holds for both.
TEST_F(SpriteOrder, MixedDrawsKeepTheirOrder) {
  Engine engine;
  StartSmall(engine, 96, 64);
  const Texture white = MakeTexture(engine, SolidImage(32, 32, 255, 255, 255));
  engine.AmbientColor(255, 0, 0);
  engine.Draw(white, 0, 0, 32, 32);  // red, ours
  engine.AmbientColor(255, 255, 255);
  engine.Draw(white, 16, 0, 32, 32);  // white, SDL's
  engine.AmbientColor(0, 0, 255);
  engine.Draw(white, 32, 0, 32, 32);  // blue, ours
  engine.AmbientColor(0, 255, 0);
  engine.Draw(white, 40, 0, 32, 32, 180);  // green and turned, SDL's
  engine.Internals().Video->Clip(0, 40, 20, 10);
  engine.Draw(white, 10, 32, 32, 32);  // green, ours, clipped
  engine.Internals().Video->Unclip();
  const Frame f = ReadFrame(engine);
  EXPECT_EQ(f.At(8, 8), 0xFF0000u);
  EXPECT_EQ(f.At(20, 8), 0xFFFFFFu);
  EXPECT_EQ(f.At(36, 8), 0x0000FFu);
  EXPECT_EQ(f.At(44, 8), 0x00FF00u);
  EXPECT_EQ(f.At(70, 8), 0x00FF00u);
  EXPECT_EQ(f.At(74, 8), 0x000000u);
  EXPECT_EQ(f.At(15, 45), 0x00FF00u);
  EXPECT_EQ(f.At(15, 38), 0x000000u);
  EXPECT_EQ(f.At(25, 45), 0x000000u);
  EXPECT_EQ(f.At(15, 52), 0x000000u);
}

// A turned and scaled sprite lands where the sprite transform puts it: the
// texel at offset p goes to T + C + R(S p - C), R turning by minus the angle.
// Each pixel middle is taken back through that transform; pixels whose
// middle lies within a hair of a texel edge are not judged.
TEST_F(SpriteOrder, TurnedSpriteFollowsTheTransform) {
  Engine engine;
  StartSmall(engine, 128, 128);
  Image quadrants = SolidImage(32, 32, 0, 0, 255);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (x < 16 && y < 16) quadrants.Pixel(x, y)[0] = 255, quadrants.Pixel(x, y)[2] = 0;
      if (x >= 16 && y >= 16) quadrants.Pixel(x, y)[1] = 255, quadrants.Pixel(x, y)[2] = 0;
    }
  }
  const Texture texture = MakeTexture(engine, quadrants);
  for (const float angle : {30.0f, -100.0f}) {
    ASSERT_TRUE(engine.ClearScreen(0, 0, 0));
    const double tx = 30, ty = 40, sx = 2, sy = 1.5, cx = 32, cy = 24;  // centre: the middle, scaled
    engine.Draw(texture, float(tx), float(ty), 32, 32, angle, 100, 0, 0, 64, 48);
    const Frame f = ReadFrame(engine);
    const double r = -angle * 3.14159265358979323846 / 180, c = std::cos(r), s = std::sin(r);
    int judged = 0;
    for (int y = 0; y < 128; ++y) {
      for (int x = 0; x < 128; ++x) {
        const double dx = x + 0.5 - tx - cx, dy = y + 0.5 - ty - cy;
        const double u = (dx * c + dy * s + cx) / sx, v = (-dx * s + dy * c + cy) / sy;
        const double edge = std::min(std::abs(u - std::round(u)), std::abs(v - std::round(v)));
        if (edge < 0.01) continue;
        std::uint32_t want = 0;
        if (u >= 0 && u < 32 && v >= 0 && v < 32) {
          want = u < 16 && v < 16 ? 0xFF0000 : u >= 16 && v >= 16 ? 0x00FF00 : 0x0000FF;
        }
        ASSERT_EQ(f.At(x, y), want) << "angle " << angle << " at " << x << "," << y;
        ++judged;
      }
    }
    EXPECT_GT(judged, 128 * 128 * 9 / 10);
  }
}

}  // namespace
}  // namespace quillon::testing
