// The bitmap fonts and "font.ini": the engine reads the file as the default
// letter table, and every sign of that table finds a picture in both fonts,
// inside its cell.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_reader.h"
#include "letter_table.h"
#include "mod_extra.h"

using content_test::AppDir;
using content_test::Picture;
using content_test::ReadPicture;

namespace {

quillon::LetterTable Shipped() {
  quillon::lib::State().AppFolder = AppDir().string();
  quillon::LetterTable table;
  std::string error;
  EXPECT_TRUE(std::filesystem::exists(AppDir() / "font.ini"));
  EXPECT_TRUE(quillon::LoadLetterTable(table, error)) << error;
  return table;
}

TEST(FontIniTest, IsTheDefaultLetterTable) {
  const quillon::LetterTable table = Shipped(), defaults = quillon::LetterTable::Defaults();
  for (int k = 0; k < quillon::LetterTable::kCells; ++k) {
    // Blank signs may come back empty; the engine trims both sides alike.
    EXPECT_EQ(table.Index(defaults.Signs[k]), defaults.Index(defaults.Signs[k])) << "sign " << k;
    EXPECT_EQ(table.Cells[k].X, defaults.Cells[k].X) << "cell " << k;
    EXPECT_EQ(table.Cells[k].Y, defaults.Cells[k].Y) << "cell " << k;
  }
  EXPECT_EQ(table.LetterWidth, 22);
  EXPECT_EQ(table.LetterHeight, 22);
  // Signs an INI file could mangle: quotes, separators, and the two signs
  // beyond ASCII.
  for (const char* sign : {"\"", "'", ";", "=", "\\", "[", "]", "\u20ac", "\u00a9"})
    EXPECT_GT(table.Index(sign), 0) << sign;
}

TEST(BitmapFontTest, EverySignHasAGlyphInsideItsCell) {
  const quillon::LetterTable table = Shipped();
  for (const char* file : {"fonts/blue.bmp", "fonts/default_num.bmp"}) {
    std::string error;
    const Picture p = ReadPicture(AppDir() / file, error, 16711935);
    ASSERT_TRUE(error.empty()) << file << ": " << error;
    std::vector<int> ink(121, 0);
    int outside = 0;
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) {
        if (p.At(x, y)[3] == 0) continue;
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
    for (int k = 0; k < quillon::LetterTable::kCells; ++k) {
      const std::string& sign = table.Signs[k];
      const bool blank = sign.find_first_not_of(' ') == std::string::npos;
      if (blank) {
        EXPECT_EQ(ink[k], 0) << file << ": blank cell " << k << " must draw nothing";
      } else {
        EXPECT_EQ(table.Index(sign), k) << sign;
        EXPECT_GT(ink[k], 8) << file << ": no glyph for \"" << sign << "\"";
      }
    }
  }
}

}  // namespace
