// A screenshot is the frame on the screen when it is asked for, written
// before the call returns.

#include "engine_fixture.h"
#include "texture_loader.h"

namespace quillon::testing {
namespace {

using Screenshot = EngineTest;

void ExpectColour(const std::filesystem::path& file, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  std::string error;
  const auto shot = LoadTextureImage(file, 0, {}, error);
  ASSERT_TRUE(shot) << error;
  for (const auto& [x, y] : {std::pair{1, 1}, std::pair{20, 15}, std::pair{38, 28}}) {
    const std::uint8_t* p = shot->Pixel(x, y);
    EXPECT_EQ(p[0], r);
    EXPECT_EQ(p[1], g);
    EXPECT_EQ(p[2], b);
  }
}

TEST_F(Screenshot, CopiesThePresentedFrameNotTheOneBeingDrawn) {
  Engine engine;
  StartSmall(engine, 40, 30);
  engine.ClearScreen(200, 20, 20);
  engine.Present();
  // The next frame is under way, as when the game reads its keys.
  engine.ClearScreen(20, 200, 20);
  engine.SaveScreenshot();
  // Written at once: nothing is presented after the call.
  ASSERT_TRUE(std::filesystem::exists(Path("screenshot001.bmp")));
  ExpectColour(Path("screenshot001.bmp"), 200, 20, 20);

  engine.Present();
  engine.ClearScreen(0, 0, 0);
  engine.SaveScreenshot();
  ExpectColour(Path("screenshot002.bmp"), 20, 200, 20);
  for (const auto& line : LogLines()) EXPECT_EQ(line.find("SaveScreenshot"), std::string::npos) << line;
}

TEST_F(Screenshot, WithoutADisplayNothingIsWrittenAndTheLogSaysWhy) {
  Engine engine;
  ASSERT_TRUE(engine.Quillon_Start_OnlySound(0, App()));
  engine.SaveScreenshot();
  EXPECT_FALSE(std::filesystem::exists(Path("screenshot001.bmp")));
  const auto lines = LogLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "Error in SaveScreenshot() : no display device");
}

}  // namespace
}  // namespace quillon::testing
