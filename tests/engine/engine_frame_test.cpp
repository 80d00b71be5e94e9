// A screenshot is the frame on the screen when it is asked for, written
// before the call returns.

#include <cstdlib>
#include <optional>
#include <utility>

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

// An OpenGL renderer keeps the frame it presented in a texture of its own
// and reads it back only for a shot. Runs where SDL can make an OpenGL
// context without a screen (the offscreen driver with EGL); skipped elsewhere.
class AcceleratedScreenshot : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Keep("SDL_VIDEODRIVER", "offscreen");
    Keep("SDL_RENDER_DRIVER", "opengl");
  }
  void TearDown() override {
    for (const auto& [name, value] : kept_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    EngineTest::TearDown();
  }

 private:
  void Keep(const std::string& name, const char* value) {
    const char* old = std::getenv(name.c_str());
    kept_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(name.c_str(), value, 1);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> kept_;
};

TEST_F(AcceleratedScreenshot, CopiesThePresentedFrameAndKeepsTheClipAcrossPresents) {
  Engine engine;
  StartSmall(engine, 40, 30);
  if (engine.Internals().Video->RendererName() != "opengl") GTEST_SKIP() << "no OpenGL renderer here";
  const Texture white = MakeTexture(engine, SolidImage(40, 30, 255, 255, 255));
  engine.ClearScreen(200, 20, 20);
  engine.Present();
  engine.ClearScreen(20, 200, 20);
  engine.SaveScreenshot();
  ExpectColour(Path("screenshot001.bmp"), 200, 20, 20);

  // A clip made in one frame still holds after the present.
  engine.Internals().Video->Clip(0, 0, 10, 10);
  engine.Present();
  engine.ClearScreen(0, 0, 0);
  engine.Draw(white, 0, 0, 40, 30);
  engine.Internals().Video->Unclip();
  const Frame drawn = ReadFrame(engine);
  ASSERT_EQ(drawn.Width, 40);
  EXPECT_EQ(drawn.At(5, 5), 0xFFFFFFu);
  EXPECT_EQ(drawn.At(20, 20), 0u);
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
