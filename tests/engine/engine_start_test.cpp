// Start-up, unload and frame: the log lines, the library-wide fields, the
// letter table file, screenshots.

#include <regex>

#include "engine_fixture.h"
#include "letter_table.h"
#include "platform/image_files.h"
#include "texture_loader.h"

namespace quillon::testing {
namespace {

const std::string kHashes(48, '#');
const std::regex kStartedLine(R"(### APPLICATION STARTED @ \d{4}-\d{2}-\d{2} @ \d{2}-\d{2} ###)");

using EngineStart = EngineTest;

TEST_F(EngineStart, CleanFullStartWritesFourLinesAndUnloadOne) {
  {
    Engine first;  // writes font.ini, so that the second start is clean
    ASSERT_TRUE(first.Quillon_Start(0, App(), 64, 48));
    first.Quillon_Unload();
  }
  std::filesystem::remove(Path("log.txt"));
  Engine engine;
  ASSERT_TRUE(engine.Quillon_Start(7, App(), 64, 48));
  auto lines = LogLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], kHashes);
  EXPECT_TRUE(std::regex_match(lines[1], kStartedLine)) << lines[1];
  EXPECT_EQ(lines[2], kHashes);
  EXPECT_EQ(lines[3], "Engine Init: Step 1, 2, 3, 4, 5, 6, 7, DONE!");
  EXPECT_EQ(lib::State().WindowHandle, 7);
  EXPECT_FLOAT_EQ(lib::State().Rad, lib::State().Pi / 180);
  EXPECT_NEAR(lib::State().Pi, 3.14159265f, 1e-6);
  engine.Quillon_Unload();
  lines = LogLines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[4], "APPLICATION ENDED");
  EXPECT_FALSE(engine.HasDisplay());
}

TEST_F(EngineStart, SoundOnlyStartHasNoDisplay) {
  Engine engine;
  ASSERT_TRUE(engine.Quillon_Start_OnlySound(3, App()));
  const auto lines = LogLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], kHashes);
  EXPECT_TRUE(std::regex_match(lines[1], kStartedLine));
  EXPECT_EQ(lines[2], "### USING ONLY SOUND ENGINE                  ###");
  EXPECT_EQ(lines[2].size(), 48u);
  EXPECT_EQ(lines[3], kHashes);
  EXPECT_GT(lib::State().Pi, 3.14f);
  // Drawing and presenting do nothing; clearing reports the missing device.
  Texture none;
  engine.Draw(none, 0, 0, 32, 32);
  engine.RenderAll();
  EXPECT_FALSE(engine.ClearScreen());
  EXPECT_EQ(LogLines().back().rfind("Error in ClearScreen : ", 0), 0u);
}

TEST_F(EngineStart, UnloadWithoutStart) {
  Engine engine;
  engine.Quillon_Unload();
  EXPECT_EQ(LogLines(), std::vector<std::string>{"APPLICATION ENDED"});
}

TEST_F(EngineStart, ResolutionRoundsHalvesToEvenAndWindowFollowsIt) {
  Engine engine;
  ASSERT_TRUE(engine.Quillon_Start(0, App(), 800.5f, 601.5f, false, 0, 300));
  EXPECT_EQ(lib::State().ResWidth, 800);
  EXPECT_EQ(lib::State().ResHeight, 602);
  // oScrWidth 0 with a height still takes the resolution for both.
  EXPECT_EQ(lib::State().WindowWidth, 800);
  EXPECT_EQ(lib::State().WindowHeight, 602);
  const Frame frame = ReadFrame(engine);
  EXPECT_EQ(frame.Width, 800);
  EXPECT_EQ(frame.Height, 602);
}

TEST_F(EngineStart, FullScreenFailureRetriesInAWindow) {
  Engine engine;
  // The dummy display has no mode that large, so the full-screen attempt fails.
  ASSERT_TRUE(engine.Quillon_Start(0, App(), 2000, 1000, true));
  const auto lines = LogLines();
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[3], "DirectX Error, trying windowed mode!");
  EXPECT_EQ(lines.back(), "Engine Init: Step 1, 2, 3, 3, 4, 5, 6, 7, DONE!");
  EXPECT_FALSE(engine.IsFullScreen());
  EXPECT_FALSE(lib::State().FullScreen);
}

TEST_F(EngineStart, VersionText) { EXPECT_EQ(Engine().Version(), "Quillon Engine v0.9.23"); }

TEST_F(EngineStart, MissingFontFileIsWrittenWithTheDefaultGrid) {
  Engine engine;
  ASSERT_TRUE(engine.Quillon_Start(0, App(), 64, 64));
  EXPECT_EQ(LogLines()[3], "File is missing : " + App() + "/font.ini");
  profile::ClearCache();
  LetterTable read;
  std::string error;
  ASSERT_TRUE(LoadLetterTable(read, error)) << error;
  const LetterTable defaults = LetterTable::Defaults();
  for (int i = 0; i < LetterTable::kCells; ++i) {
    EXPECT_EQ(read.Cells[i].X, defaults.Cells[i].X) << i;
    EXPECT_EQ(read.Cells[i].Y, defaults.Cells[i].Y) << i;
    EXPECT_EQ(read.Index(defaults.Signs[i]), defaults.Index(defaults.Signs[i])) << i;
  }
  EXPECT_EQ(read.LetterWidth, 22);
  EXPECT_EQ(read.Signs[104], "@");
  EXPECT_EQ(read.Signs[101], "€");
  EXPECT_EQ(read.Cells[104].X, 116);
  EXPECT_EQ(read.Cells[104].Y, 208);
  EXPECT_EQ(read.Cells[44].Y, 93);
}

TEST_F(EngineStart, BadFontFileFailsTheStart) {
  for (const char* bad : {"[Letter sizes]\r\nWidth=abc\r\nHeight=22\r\n",
                          "[Signs position]\r\n5=17\r\n[Letter sizes]\r\nWidth=22\r\nHeight=22\r\n"}) {
    std::ofstream(Path("font.ini"), std::ios::binary) << bad;
    profile::ClearCache();
    Engine engine;
    EXPECT_FALSE(engine.Quillon_Start(0, App(), 64, 64)) << bad;
    EXPECT_EQ(LogLines().back().rfind("Error in Quillon_Start : ", 0), 0u);
  }
}

TEST_F(EngineStart, ScreenshotTakesTheNextFreeNumberAndThePresentedPicture) {
  Engine engine;
  StartSmall(engine, 40, 30);
  for (const char* n : {"screenshot001.bmp", "screenshot003.bmp"}) std::ofstream(Path(n)) << "x";
  engine.ClearScreen(10, 200, 30);
  engine.SaveScreenshot();
  engine.RenderAll();
  ASSERT_TRUE(std::filesystem::exists(Path("screenshot002.bmp")));
  std::string error;
  const auto shot = LoadTextureImage(Path("screenshot002.bmp"), 0, {}, error);
  ASSERT_TRUE(shot) << error;
  EXPECT_EQ(shot->Width, 40);
  EXPECT_EQ(shot->Height, 30);
  const std::uint8_t* p = shot->Pixel(20, 15);
  EXPECT_EQ(p[0], 10);
  EXPECT_EQ(p[1], 200);
  EXPECT_EQ(p[2], 30);
  std::ofstream(Path("screenshot002.bmp")) << "x";
  engine.SaveScreenshot();
  engine.RenderAll();
  EXPECT_TRUE(std::filesystem::exists(Path("screenshot004.bmp")));
}

}  // namespace
}  // namespace quillon::testing
