// The bitmap fonts and "font.ini": the file describes the default letter
// table, and every sign of it has a picture in both fonts, inside its cell.

#include <gtest/gtest.h>

#include <quillon/profile.h>

#include <string>
#include <vector>

#include "image_reader.h"

using content_test::AppDir;
using content_test::Picture;
using content_test::ReadPicture;

namespace {

std::vector<std::string> DefaultSigns() {
  std::vector<std::string> s(121, "");
  for (int i = 0; i < 10; ++i) s[1 + i] = std::string(1, static_cast<char>('0' + i));
  for (int i = 0; i < 26; ++i) {
    s[11 + i] = std::string(1, static_cast<char>('A' + i));
    s[44 + i] = std::string(1, static_cast<char>('a' + i));
  }
  const char* marks[] = {".", ",", ":", ";", "'", "\"", "-", "+", "\\", "/", "*", "=", "(", ")",
                         "[", "]", "<", ">", "_", "!", "?", "#", "&", "$", "\u20ac", "%", "\u00a9", "@"};
  for (int i = 0; i < 28; ++i) s[77 + i] = marks[i];
  return s;
}

TEST(FontIniTest, DescribesTheDefaultLetterTable) {
  const auto ini = AppDir() / "font.ini";
  const std::vector<std::string> signs = DefaultSigns();
  for (int k = 0; k < 121; ++k) {
    const std::string key = std::to_string(k);
    EXPECT_EQ(quillon::profile::ReadString(ini, "Signs value", key, "?missing"), signs[k]) << "sign " << k;
    const std::string where = std::to_string(k % 11 * 23 + 1) + "x" + std::to_string(k / 11 * 23 + 1);
    EXPECT_EQ(quillon::profile::ReadString(ini, "Signs position", key), where) << "cell " << k;
  }
  EXPECT_EQ(quillon::profile::ReadString(ini, "Letter sizes", "Width"), "22");
  EXPECT_EQ(quillon::profile::ReadString(ini, "Letter sizes", "Height"), "22");
}

TEST(BitmapFontTest, EverySignHasAGlyphInsideItsCell) {
  const std::vector<std::string> signs = DefaultSigns();
  for (const char* file : {"fonts/blue.bmp", "fonts/default_num.bmp"}) {
    std::string error;
    const Picture p = ReadPicture(AppDir() / file, error);
    ASSERT_TRUE(error.empty()) << file << ": " << error;
    std::vector<int> ink(121, 0);
    int outside = 0;
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) {
        if (p.IsMagenta(x, y)) continue;
        const int col = (x - 1) / 23, row = (y - 1) / 23;
        // The one-texel gaps between cells and the rim stay key colour, or
        // neighbouring letters would bleed into each other when scaled.
        if (x == 0 || y == 0 || (x - 1) % 23 == 22 || (y - 1) % 23 == 22 || col > 10 || row > 10) {
          ++outside;
          continue;
        }
        ++ink[row * 11 + col];
      }
    EXPECT_EQ(outside, 0) << file;
    for (int k = 0; k < 121; ++k) {
      if (signs[k].empty())
        EXPECT_EQ(ink[k], 0) << file << ": blank cell " << k << " must draw nothing";
      else
        EXPECT_GT(ink[k], 8) << file << ": no glyph for \"" << signs[k] << "\"";
    }
  }
}

}  // namespace
