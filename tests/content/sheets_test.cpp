// Pictures the game cuts into pieces or tells apart: Tobo's eye sheet and
// the clouds are drawn from fixed rectangles, and the four tile kinds must
// read apart at a glance.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_reader.h"

using content_test::AppDir;
using content_test::Picture;
using content_test::ReadPicture;

namespace {

struct Rect {
  int x, y, w, h;
  bool Holds(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

Picture Load(const std::string& file) {
  std::string error;
  Picture p = ReadPicture(AppDir() / file, error);
  EXPECT_TRUE(error.empty()) << file << ": " << error;
  return p;
}

// Every visible pixel lies in one of the rectangles and every rectangle
// holds a visible part.
void ExpectPartsInside(const std::string& file, const std::vector<Rect>& parts) {
  const Picture p = Load(file);
  ASSERT_GT(p.width, 0);
  std::vector<int> covered(parts.size(), 0);
  int stray = 0;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      if (p.At(x, y)[3] == 0) continue;
      bool inside = false;
      for (size_t i = 0; i < parts.size(); ++i)
        if (parts[i].Holds(x, y)) ++covered[i], inside = true;
      stray += !inside;
    }
  EXPECT_EQ(stray, 0) << file << ": pixels outside the rectangles the game draws from";
  for (size_t i = 0; i < parts.size(); ++i)
    EXPECT_GT(covered[i], parts[i].w * parts[i].h / 4) << file << " part " << i << " is nearly empty";
}

TEST(SpriteSheetTest, ToboEyesEarsAndPupilsSitInTheirRectangles) {
  ExpectPartsInside(
      "textures/tobo_eyes.dds",
      {{0, 0, 14, 16}, {1, 19, 12, 7}, {16, 11, 8, 11}, {23, 11, 8, 11}, {18, 1, 5, 6}, {23, 1, 5, 6}});
  // The two big ears share column 23; drawing either must not show a sliver
  // of the other.
  const Picture p = Load("textures/tobo_eyes.dds");
  ASSERT_GT(p.width, 23);
  for (int y = 11; y < 22; ++y) EXPECT_EQ(p.At(23, y)[3], 0) << "row " << y;
}

TEST(SpriteSheetTest, CloudsStayInsideTheirSourceRectangles) {
  // The game cuts cloud 1 two rows shorter than its 84-pixel height.
  ExpectPartsInside("textures/clouds.dds", {{0, 0, 217, 92}, {0, 95, 189, 82}});
}

double MeanLightness(const Picture& p) {
  double sum = 0, weight = 0;
  for (size_t i = 0; i < p.rgba.size(); i += 4) {
    const double a = p.rgba[i + 3] / 255.0;
    sum += a * (0.299 * p.rgba[i] + 0.587 * p.rgba[i + 1] + 0.114 * p.rgba[i + 2]);
    weight += a;
  }
  return weight > 0 ? sum / weight : 0;
}

double Coverage(const Picture& p) {
  int opaque = 0;
  for (size_t i = 3; i < p.rgba.size(); i += 4) opaque += p.rgba[i] > 128;
  return opaque / static_cast<double>(p.width * p.height);
}

TEST(TileTest, MudIsDarkerAndIcePalerThanTheNormalTileInEveryColour) {
  for (const char* colour : {"green", "greendark", "blue", "blue2", "bluedark", "bluelight", "brown",
                             "orange", "orangedark", "red", "reddark", "yellow", "bw"}) {
    const std::string stem = std::string("textures/level_tiles/tile_ground_") + colour;
    const Picture normal = Load(stem + ".dds"), mud = Load(stem + "_mud.dds"), gum = Load(stem + "_gum.dds"),
                  ice = Load(stem + "_ice.dds");
    ASSERT_GT(normal.width, 0);
    EXPECT_LT(MeanLightness(mud) + 15, MeanLightness(normal)) << colour;
    EXPECT_GT(MeanLightness(ice), MeanLightness(normal) + 25) << colour;
    // Every kind fills its cell, so a row of tiles reads as solid ground.
    for (const Picture* t : {&normal, &mud, &gum, &ice}) EXPECT_GT(Coverage(*t), 0.85) << colour;
  }
}

TEST(TileTest, TwelveColoursAreDistinct) {
  std::vector<std::vector<double>> means;
  for (const char* colour : {"green", "greendark", "blue", "blue2", "bluedark", "bluelight", "brown",
                             "orange", "orangedark", "red", "reddark", "yellow"}) {
    const Picture p = Load(std::string("textures/level_tiles/tile_ground_") + colour + ".dds");
    std::vector<double> m(3, 0);
    for (size_t i = 0; i < p.rgba.size(); i += 4)
      for (int c = 0; c < 3; ++c) m[c] += p.rgba[i + c] / 1024.0;
    means.push_back(m);
  }
  for (size_t a = 0; a < means.size(); ++a)
    for (size_t b = a + 1; b < means.size(); ++b) {
      double d = 0;
      for (int c = 0; c < 3; ++c) d += (means[a][c] - means[b][c]) * (means[a][c] - means[b][c]);
      EXPECT_GT(d, 30 * 30) << "colours " << a << " and " << b << " look alike";
    }
}

}  // namespace
