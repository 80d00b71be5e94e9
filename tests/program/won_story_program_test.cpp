// The whole end of a won story in the running program: the game that reaches
// the floor, the switch to arcade mode (saved, with the arcade table), and
// the won screen with its picture, which the studio logo of the program's
// start does not come back over.
//
// The story is a real one, played by the program's own rules; only its tuning
// file is cut short (every level one row, the last three, Tobo starting at
// the deepest row a map of that length lets him start on), so that it is won
// after a short fall.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <regex>

#include "key_script.h"
#include "program_run.h"

namespace pebblerun {
namespace {

using support::AppCopy;
using support::CountOf;
using support::KeyScript;
using support::RunPebblerun;
using support::ScoreTable;

// A BMP file as written by the engine's screenshots (24 or 32 bits).
struct Picture {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> Rgb;  // top row first
  const std::uint8_t* At(int x, int y) const { return &Rgb[(static_cast<std::size_t>(y) * Width + x) * 3]; }
};

Picture ReadBmp(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Picture p;
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return p;
  const auto u32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
  };
  const std::uint32_t offset = u32(10);
  const auto width = static_cast<std::int32_t>(u32(18)), height = static_cast<std::int32_t>(u32(22));
  const int bytesPerPixel = static_cast<unsigned char>(bytes[28]) / 8;
  if (width <= 0 || height == 0 || (bytesPerPixel != 3 && bytesPerPixel != 4)) return p;
  const std::size_t stride = (static_cast<std::size_t>(width) * bytesPerPixel + 3) / 4 * 4;
  const int rows = std::abs(height);
  if (bytes.size() < offset + stride * rows) return p;
  p.Width = width;
  p.Height = rows;
  p.Rgb.resize(static_cast<std::size_t>(width) * rows * 3);
  for (int y = 0; y < rows; ++y) {
    const std::size_t row = offset + stride * static_cast<std::size_t>(height > 0 ? rows - 1 - y : y);
    for (int x = 0; x < width; ++x) {
      const char* bgr = &bytes[row + static_cast<std::size_t>(x) * bytesPerPixel];
      std::uint8_t* rgb = &p.Rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      rgb[0] = static_cast<std::uint8_t>(bgr[2]);
      rgb[1] = static_cast<std::uint8_t>(bgr[1]);
      rgb[2] = static_cast<std::uint8_t>(bgr[0]);
    }
  }
  return p;
}

// The share of pixels that differ by more than a twentieth of full scale in
// some channel, and the mean difference per channel in 0..255.
struct Difference {
  double ChangedShare = 1;
  double Mean = 255;
};

Difference Compare(const Picture& a, const Picture& b) {
  Difference d;
  if (a.Width != b.Width || a.Height != b.Height || a.Rgb.empty()) return d;
  std::size_t changed = 0;
  double sum = 0;
  for (std::size_t i = 0; i < a.Rgb.size(); i += 3) {
    int most = 0;
    for (int c = 0; c < 3; ++c) {
      const int diff = std::abs(a.Rgb[i + c] - b.Rgb[i + c]);
      most = std::max(most, diff);
      sum += diff;
    }
    if (most > 13) ++changed;
  }
  d.ChangedShare = static_cast<double>(changed) / (a.Rgb.size() / 3);
  d.Mean = sum / a.Rgb.size();
  return d;
}

TEST(WonStory, SwitchesToArcadeAndShowsTheWonPictureWithoutTheLogo) {
  AppCopy app;
  app.Write("textures/options.bmp",
            "[main]\r\nStoryReaden=True\r\nGameMode_Story=True\r\nArcadeLocked=True\r\n");
  // No score enters the story table, so the win needs no name; the arcade
  // table is short, and loading it fills in the rows it lacks.
  app.Write("textures/dot_black2.bmp", ScoreTable(10, "999999", "STORY"));
  app.Write("textures/dot_white2.bmp", ScoreTable(5, "5", "ARCADE"));
  std::string tuning = app.Read("textures/lvl1.bmp");
  ASSERT_FALSE(tuning.empty());
  tuning = std::regex_replace(tuning, std::regex(R"((Level-\d\d_LevelSize=)\d+)"),
                              "$011");  // group 1, then the digit 1
  tuning = std::regex_replace(tuning, std::regex(R"(Level-10_LevelSize=\d+)"), "Level-10_LevelSize=3");
  tuning = std::regex_replace(tuning, std::regex(R"(Position_Tile_Y=\d+)"), "Position_Tile_Y=8");
  app.Write("textures/lvl1.bmp", tuning);

  // Enter in frame 10 starts the game after the menu's 20-frame fade: Tobo
  // falls to the floor and wins in frame 55 (the same with every seed; one
  // is fixed all the same), the end fade hands back to the menu in frame 105.
  // The menu's fade-in from the game lasts 50 frames, the logo's fade 67: S
  // in frame 158 takes frame 157, when the logo would still show; S in frame
  // 186 a frame without either.
  KeyScript s(10);
  s.Press("Enter").WaitUntil(158).Press("S").WaitUntil(186).Press("S");
  app.Write("won.txt", s.Text());
  const auto run = RunPebblerun({"--headless", "--app-dir", app.Dir().string(), "--seed", "1", "--script",
                                 (app.Dir() / "won.txt").string(), "--frames", "195"});
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_EQ(CountOf(app.Log(), "APPLICATION ENDED"), 1);

  const std::string options = app.Read("textures/options.bmp");
  EXPECT_NE(options.find("GameMode_Story=False"), std::string::npos) << options;
  EXPECT_NE(options.find("ArcadeLocked=False"), std::string::npos) << options;
  const std::string arcade = app.Read("textures/dot_white2.bmp");
  EXPECT_EQ(CountOf(arcade, "ARCADE"), 5) << arcade;
  EXPECT_NE(arcade.find("n9=TOBO"), std::string::npos) << arcade;
  ASSERT_TRUE(std::filesystem::exists(app.Dir() / "wd.jpg"));

  const Picture early = ReadBmp(app.Dir() / "screenshot001.bmp");
  const Picture late = ReadBmp(app.Dir() / "screenshot002.bmp");
  ASSERT_GT(early.Width, 0);
  // Only the butterflies move between the two.
  const Difference between = Compare(early, late);
  EXPECT_LT(between.ChangedShare, 0.05) << "the studio logo fades over the won screen";

  // The won picture fills the screen (scaled to the window here).
  if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick is not installed";
  const auto expected = app.Dir() / "expected.bmp";
  const std::string convert = "convert '" + (app.Dir() / "wd.jpg").string() + "' -resize " +
                              std::to_string(late.Width) + "x" + std::to_string(late.Height) + "! BMP3:'" +
                              expected.string() + "'";
  ASSERT_EQ(std::system(convert.c_str()), 0);
  EXPECT_LT(Compare(early, ReadBmp(expected)).Mean, 10.0);
  EXPECT_LT(Compare(late, ReadBmp(expected)).Mean, 10.0);
}

}  // namespace
}  // namespace pebblerun
