// Sprites on the software renderer, read back pixel by pixel.

#include "engine_fixture.h"

namespace quillon::testing {
namespace {

constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0xFF0000, kGreen = 0x00FF00,
                        kBlue = 0x0000FF, kYellow = 0xFFFF00;

// 32 x 32: the top-left quadrant red, the rest blue.
Image QuadrantImage() {
  Image image = SolidImage(32, 32, 0, 0, 255);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) image.Pixel(x, y)[0] = 255, image.Pixel(x, y)[2] = 0;
  }
  return image;
}

using SpritePixels = EngineTest;

TEST_F(SpritePixels, UnrotatedDrawCoversExactlyItsPixels) {
  Engine engine;
  StartSmall(engine);
  const Texture white = MakeTexture(engine, SolidImage(32, 32, 255, 255, 255));
  engine.Draw(white, 10, 12, 32, 32);
  const Frame f = ReadFrame(engine);
  int covered = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const bool inside = x >= 10 && x < 42 && y >= 12 && y < 44;
      EXPECT_EQ(f.At(x, y), inside ? kWhite : kBlack) << x << "," << y;
      covered += inside;
    }
  }
  EXPECT_EQ(covered, 32 * 32);
}

TEST_F(SpritePixels, PositiveAngleTurnsCounterclockwiseAboutTheMiddle) {
  Engine engine;
  StartSmall(engine);
  const Texture quad = MakeTexture(engine, QuadrantImage());
  engine.Draw(quad, 16, 16, 32, 32, 90);
  const Frame f = ReadFrame(engine);
  // The top-left quadrant has gone to the bottom left.
  EXPECT_EQ(f.At(20, 44), kRed);
  EXPECT_EQ(f.At(20, 20), kBlue);
  EXPECT_EQ(f.At(44, 20), kBlue);
  EXPECT_EQ(f.At(44, 44), kBlue);
  EXPECT_EQ(f.At(15, 30), kBlack);
  EXPECT_EQ(f.At(48, 30), kBlack);
}

TEST_F(SpritePixels, GivenCentreTurnsAboutTheCorner) {
  Engine engine;
  StartSmall(engine, 96, 96);
  const Texture quad = MakeTexture(engine, QuadrantImage());
  engine.Draw(quad, 32, 32, 32, 32, 90, 100, 0, 0, 0, 0, 0, 0);
  const Frame f = ReadFrame(engine);
  // Texel (px, py) lands at (32 + py, 32 - px): the sprite now lies above its corner.
  EXPECT_EQ(f.At(36, 28), kRed);
  EXPECT_EQ(f.At(36, 4), kBlue);
  EXPECT_EQ(f.At(60, 28), kBlue);
  EXPECT_EQ(f.At(40, 40), kBlack);
  EXPECT_EQ(f.At(28, 20), kBlack);
}

TEST_F(SpritePixels, ScalingDividesByTheSourceRectanglesRightEdge) {
  Engine engine;
  StartSmall(engine);
  Image strip = SolidImage(96, 32, 255, 0, 0);
  for (int y = 0; y < 32; ++y) {
    for (int x = 64; x < 96; ++x) strip.Pixel(x, y)[0] = 0, strip.Pixel(x, y)[1] = 255;
  }
  const Texture texture = MakeTexture(engine, strip);
  engine.Draw(texture, 0, 0, 32, 32, 0, 100, 64, 0, 32, 32);
  const Frame f = ReadFrame(engine);
  // 32 texels at a factor of 32 / 96 are about 10.7 pixels wide, all from the green part.
  EXPECT_EQ(f.At(0, 5), kGreen);
  EXPECT_EQ(f.At(9, 5), kGreen);
  EXPECT_EQ(f.At(12, 5), kBlack);
  // The vertical factor is 32 / 32: all 32 rows.
  EXPECT_EQ(f.At(5, 31), kGreen);
  EXPECT_EQ(f.At(5, 32), kBlack);
}

TEST_F(SpritePixels, HalfTransparencyBlendsAt128) {
  Engine engine;
  StartSmall(engine);
  const Texture white = MakeTexture(engine, SolidImage(32, 32, 255, 255, 255));
  engine.Draw(white, 0, 0, 32, 32, 0, 50);
  engine.Draw(white, 32, 0, 32, 32, 0, 0);
  const Frame f = ReadFrame(engine);
  EXPECT_EQ(f.At(10, 10), 0x808080u);
  EXPECT_EQ(f.At(40, 10), kBlack);
}

TEST_F(SpritePixels, TintMultipliesTheTexture) {
  Engine engine;
  StartSmall(engine);
  const Texture texture = MakeTexture(engine, SolidImage(32, 32, 200, 100, 50));
  engine.AmbientColor(128, "255", 0);
  engine.Draw(texture, 0, 0, 32, 32);
  engine.AmbientColor(255, 255, 255);
  engine.Draw(texture, 32, 0, 32, 32);
  const Frame f = ReadFrame(engine);
  EXPECT_EQ(f.At(10, 10), 0x646400u);  // 200 x 128 / 255, 100, 0
  EXPECT_EQ(f.At(40, 10), 0xC86432u);
}

TEST_F(SpritePixels, WrongTintValueStopsAtThatChannel) {
  Engine engine;
  StartSmall(engine);
  const Texture white = MakeTexture(engine, SolidImage(8, 8, 255, 255, 255));
  engine.AmbientColor(10, "x", 30);
  const auto lines = LogLines();  // headless, the message box goes to the log
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "Error in AmbientColor()");
  EXPECT_EQ(lines.back(), "Wrong RGB value!");
  engine.Draw(white, 0, 0, 8, 8);
  // Red took its new value, green and blue kept white.
  EXPECT_EQ(ReadFrame(engine).At(2, 2), 0x0AFFFFu);
}

TEST_F(SpritePixels, DrawTextAdvancesOneScaledCellPerLetter) {
  Engine engine;
  StartSmall(engine, 256, 64);
  // The default grid: cell k at (k % 11 x 23 + 1, k / 11 x 23 + 1).
  Image font = SolidImage(253, 253, 0, 0, 0);
  auto fill = [&](int cell, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const int x0 = cell % 11 * 23 + 1, y0 = cell / 11 * 23 + 1;
    for (int y = y0; y < y0 + 22; ++y) {
      for (int x = x0; x < x0 + 22; ++x) {
        auto* p = font.Pixel(x, y);
        p[0] = r, p[1] = g, p[2] = b;
      }
    }
  };
  fill(11, 255, 0, 0);   // A
  fill(12, 0, 255, 0);   // B
  fill(13, 0, 0, 255);   // C
  fill(0, 255, 255, 0);  // the blank cell, drawn for unknown letters
  const Texture texture = MakeTexture(engine, font);
  engine.DrawText(texture, "ABC", 100, 0, 2);
  engine.DrawText(texture, "~", 0, 0);
  const Frame f = ReadFrame(engine);
  EXPECT_EQ(f.At(99, 20), kBlack);
  EXPECT_EQ(f.At(100, 20), kRed);
  EXPECT_EQ(f.At(143, 43), kRed);
  EXPECT_EQ(f.At(144, 20), kGreen);
  EXPECT_EQ(f.At(187, 20), kGreen);
  EXPECT_EQ(f.At(188, 20), kBlue);
  EXPECT_EQ(f.At(231, 20), kBlue);
  EXPECT_EQ(f.At(232, 20), kBlack);
  EXPECT_EQ(f.At(100, 44), kBlack);
  EXPECT_EQ(f.At(5, 5), kYellow);
}

TEST_F(SpritePixels, TextureOutlivesItsEngine) {
  Texture kept;
  {
    Engine engine;
    StartSmall(engine);
    kept = MakeTexture(engine, SolidImage(4, 4, 1, 2, 3));
    engine.Quillon_Unload();
    engine.Draw(kept, 0, 0, 4, 4);
  }
  EXPECT_EQ(kept.Width(), 4);
  kept.Reset();  // frees nothing twice
}

}  // namespace
}  // namespace quillon::testing
