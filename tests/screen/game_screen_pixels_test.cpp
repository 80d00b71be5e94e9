// The game screen drawn from a prepared GameState on the software renderer,
// read back pixel by pixel. Textures are plain colour blocks made here, so
// each expected value follows from position, source rectangle, tint and
// alpha alone (white at alpha a over black reads back as 255 x a / 100).

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine_impl.h"
#include "image.h"
#include "program/mod_Declares.h"
#include "program/mod_Render.h"
#include "sim/playfield.h"

namespace pebblerun {
namespace {

using quillon::Image;

struct Rgb {
  std::uint8_t R = 0, G = 0, B = 0;
};
constexpr Rgb kWhite{255, 255, 255}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};

// Blocks of colour: each block is (x, y, w, h, colour), the rest black.
struct Block {
  int X, Y, W, H;
  Rgb C;
};

Image Picture(int w, int h, const std::vector<Block>& blocks) {
  Image image{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 4)};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.Pixel(x, y)[3] = 255;
  }
  for (const Block& b : blocks) {
    for (int y = b.Y; y < b.Y + b.H; ++y) {
      for (int x = b.X; x < b.X + b.W; ++x) {
        std::uint8_t* p = image.Pixel(x, y);
        p[0] = b.C.R, p[1] = b.C.G, p[2] = b.C.B;
      }
    }
  }
  return image;
}

class GameScreenPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              ("pebblerun-screen-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    quillon::Engine& e = p_.Objects.EngineObj;
    ASSERT_TRUE(e.Quillon_Start_OnlySound(0, folder_.string()));
    quillon::DisplayOptions options;
    options.BufferWidth = 640;
    options.BufferHeight = 480;
    ASSERT_TRUE(e.StartDisplay(options));
    GameState& g = G();
    g.InGame = true;
    g.StoryLength = 100;
    g.World.TileSize = 32;
    g.World.CurrentLevel = 1;
  }
  void TearDown() override {
    p_.Assets = GameAssets{};
    p_.Objects.EngineObj.Quillon_Unload();
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  GameState& G() { return *p_.Game; }
  GameAssets& A() { return p_.Assets; }

  Texture Make(int w, int h, const std::vector<Block>& blocks) {
    std::string error;
    auto data = p_.Objects.EngineObj.Internals().Video->CreateTexture(Picture(w, h, blocks), error);
    EXPECT_TRUE(data) << error;
    return Texture(std::move(data));
  }
  Texture Solid(int w, int h, Rgb c) { return Make(w, h, {{0, 0, w, h, c}}); }

  // Draws the whole game screen and keeps the back buffer.
  void DrawFrame() {
    DrawGameScreen(p_);
    std::string error;
    ASSERT_TRUE(p_.Objects.EngineObj.Internals().Video->ReadPixels(argb_, width_, height_, error)) << error;
    ASSERT_EQ(width_, 640);
  }
  std::uint32_t At(int x, int y) const { return argb_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFF; }

  std::filesystem::path folder_;
  Program p_;
  std::vector<std::uint32_t> argb_;
  int width_ = 0, height_ = 0;
};

TEST_F(GameScreenPixels, SkyReddensWithDepthAndTintsTheClouds) {
  // Upper half of the sky white, lower half red: the whole 1 x 480 strip is
  // stretched over the screen, not one texel of it.
  A().background_sky = Make(1, 480, {{0, 0, 1, 240, kWhite}, {0, 240, 1, 240, kRed}});
  // Cloud 0 comes from the top of the picture, cloud 1 from row 95 down.
  A().clouds = Make(217, 180, {{0, 0, 217, 95, kBlue}, {0, 95, 217, 85, kGreen}});
  GameState& g = G();
  g.Screen.Clouds[0] = {-1, 50, 40, 217, 92, 0, 2};
  g.Screen.Clouds[1] = {-1, 300, 300, 189, 84, 0, 2};

  g.World.ScrollY = 0;
  DrawFrame();
  EXPECT_EQ(At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(At(639, 239), 0xFFFFFFu);
  EXPECT_EQ(At(639, 479), 0xFF0000u);
  EXPECT_EQ(At(60, 50), 0x0000FFu);
  EXPECT_EQ(At(300 + 188, 300 + 81), 0x00FF00u);  // 84 - 2 rows high
  EXPECT_EQ(At(300 + 100, 300 + 82), 0xFF0000u);
  EXPECT_EQ(At(50 + 217, 50), 0xFFFFFFu);

  // 31 rows of a 100-row story: red Int(255 / 200 x 31) = 39.
  g.World.ScrollY = -1000;
  DrawFrame();
  EXPECT_EQ(At(320, 10), 0xFFD8D8u);

  // The whole story scrolled through: green and blue down to 128, the
  // clouds under the same tint.
  g.World.ScrollY = -3200;
  DrawFrame();
  EXPECT_EQ(At(320, 10), 0xFF8080u);
  EXPECT_EQ(At(320, 470), 0xFF0000u);
  EXPECT_EQ(At(60, 50), 0x000080u);
  EXPECT_EQ(At(310, 310), 0x008000u);
}

TEST_F(GameScreenPixels, SmashPieceQuartersFlyApartFromTheCorner) {
  A().tiles[7] =
      Make(32, 32,
           {{0, 0, 16, 16, kRed}, {16, 0, 16, 16, kGreen}, {0, 16, 16, 16, kBlue}, {16, 16, 16, 16, kWhite}});
  A().tiles[56] = Solid(32, 32, kBlue);
  GameState& g = G();
  g.Field.TileTypeTable[7].Kind = 1;
  g.GamePaused = true;  // no spin
  g.StoryMode = true;
  g.Tuning.Falling_Tiles.Smashing_Explosion_Distance = 10;
  // Age 5 of 10: half faded, each quarter 10 pixels out along its diagonal.
  g.Tiles.SmashPieces[0] = {1, 100, 100, 5, 7, true};
  // Unpainted in story mode: the grey one breaks.
  g.Tiles.SmashPieces[1] = {1, 300, 300, 0, 7, false};
  DrawFrame();
  // Origin (180, 100).
  EXPECT_EQ(At(170, 90), 0x800000u);
  EXPECT_EQ(At(185, 105), 0x800000u);
  EXPECT_EQ(At(190, 90), 0x008000u);
  EXPECT_EQ(At(205, 105), 0x008000u);
  EXPECT_EQ(At(170, 110), 0x000080u);
  EXPECT_EQ(At(185, 125), 0x000080u);
  EXPECT_EQ(At(190, 110), 0x808080u);
  EXPECT_EQ(At(205, 125), 0x808080u);
  EXPECT_EQ(At(187, 95), 0u);  // the gaps between the quarters
  EXPECT_EQ(At(180, 107), 0u);
  EXPECT_EQ(At(169, 90), 0u);
  EXPECT_EQ(At(206, 125), 0u);
  // Age 0: opaque, all four quarters on the origin, the bottom-right one
  // drawn last.
  EXPECT_EQ(At(380, 300), 0x0000FFu);
  EXPECT_EQ(At(395, 315), 0x0000FFu);
  EXPECT_EQ(At(396, 300), 0u);
  EXPECT_EQ(At(380, 316), 0u);

  // In arcade mode an unpainted tile breaks in its own colours.
  g.StoryMode = false;
  DrawFrame();
  EXPECT_EQ(At(380, 300), 0xFFFFFFu);
  EXPECT_EQ(At(170, 90), 0x800000u);
}

TEST_F(GameScreenPixels, BombStockFillsFifteenOuterRowsThenTheInnerColumn) {
  A().bomb = Solid(32, 32, kWhite);
  GameState& g = G();
  constexpr std::uint32_t kBomb = 0xF2F2F2;  // alpha 95
  g.Bonus.BombCount = 20;
  DrawFrame();
  for (int row = 1; row <= 14; ++row) {
    EXPECT_EQ(At(608, 32 * row), kBomb) << row;
    EXPECT_EQ(At(639, 32 * row + 31), kBomb) << row;
  }
  for (int row = 1; row <= 5; ++row) EXPECT_EQ(At(576, 32 * row + 16), kBomb) << row;
  EXPECT_EQ(At(576, 32 * 6), 0u);
  EXPECT_EQ(At(608, 31), 0u);
  EXPECT_EQ(At(575, 100), 0u);

  g.Bonus.BombCount = 15;
  DrawFrame();
  EXPECT_EQ(At(608, 448), kBomb);
  EXPECT_EQ(At(600, 48), 0u);

  g.Bonus.BombCount = 0;
  DrawFrame();
  EXPECT_EQ(At(620, 48), 0u);
}

TEST_F(GameScreenPixels, ScoreBackLayerIs22PixelsPerDigit) {
  A().background_lightblue = Solid(1, 1, kWhite);
  GameState& g = G();
  g.Tuning.Score.Graphic_BackLayer = true;
  constexpr std::uint32_t kLayer = 0x8C8C8C;  // alpha 55
  const struct {
    Single score;
    int width;
  } cases[] = {{0, 22}, {9, 22}, {10, 44}, {9999, 88}, {10000, 110}, {-40, 22}};
  for (const auto& c : cases) {
    g.World.Score = c.score;
    DrawFrame();
    EXPECT_EQ(At(118, 10), kLayer) << c.score;
    EXPECT_EQ(At(118 + c.width - 1, 31), kLayer) << c.score;
    EXPECT_EQ(At(118 + c.width, 20), 0u) << c.score;
    EXPECT_EQ(At(120, 32), 0u) << c.score;
    EXPECT_EQ(At(117, 20), 0u) << c.score;
  }
  g.Tuning.Score.Graphic_BackLayer = false;
  DrawFrame();
  EXPECT_EQ(At(118, 10), 0u);
}

TEST_F(GameScreenPixels, GlassIsAlwaysFaintAndGreyOnlyInStoryMode) {
  A().tiles[5] = Solid(32, 32, kWhite);
  A().tiles[60] = Solid(32, 32, kGreen);
  A().tiles[7] = Solid(32, 32, kRed);
  A().tiles[56] = Solid(32, 32, kBlue);
  GameState& g = G();
  g.Field.TileTypeTable[7].Kind = 1;
  Cell(g, 3, 2, 5);
  Cell(g, 4, 2, 7);
  Cell(g, 5, 2, 7);
  PaintCell(g, 5, 2, true, true);
  const int y = 2 * 32 + 16;
  const int glassX = 3 * 32 + 80;

  g.StoryMode = true;
  DrawFrame();
  EXPECT_EQ(At(glassX, y), 0x003300u);  // grey glass at alpha 20
  EXPECT_EQ(At(glassX + 31, y), 0x003300u);
  EXPECT_EQ(At(glassX + 32, y), 0x0000FFu);  // unpainted ground: grey, opaque
  EXPECT_EQ(At(glassX + 64, y), 0xFF0000u);  // painted: its colour

  g.StoryMode = false;
  DrawFrame();
  EXPECT_EQ(At(glassX, y), 0x333333u);
  EXPECT_EQ(At(glassX + 32, y), 0x0000FFu);

  PaintCell(g, 3, 2, true, true);
  g.StoryMode = true;
  DrawFrame();
  EXPECT_EQ(At(glassX, y), 0x333333u);
}

}  // namespace
}  // namespace pebblerun
