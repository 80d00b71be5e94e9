#pragma once
// Where each character of a bitmap font sits in its texture: 121 cells of one
// size, read from "font.ini" or, when that file is missing, the built-in grid
// (11 x 11 cells of 22 texels with a one-texel gap), written there.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "quillon/profile.h"
#include "quillon/records.h"

namespace quillon {

struct LetterTable {
  static constexpr int kCells = 121;
  std::array<std::string, kCells> Signs;
  std::array<LetterSpecs, kCells> Cells{};
  std::int16_t LetterWidth = 0;
  std::int16_t LetterHeight = 0;

  static LetterTable Defaults();
  // The first cell whose sign equals the character (blanks trimmed on both
  // sides, case kept); 0 when none does.
  int Index(std::string_view character) const;
};

// Fills table from "font.ini" in the application folder, or writes the
// defaults there. False with an error text when the file's sizes or cell
// positions are not numbers.
bool LoadLetterTable(LetterTable& table, std::string& error);

// The same from the text of a "font.ini" already in memory.
bool ReadLetterTable(const profile::IniSnapshot& file, LetterTable& table, std::string& error);

// The characters of a text one by one (UTF-8 sequences kept whole; a stray
// byte is a character of its own).
template <typename Visit>
void ForEachCharacter(std::string_view text, Visit visit) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (i + n > text.size()) n = 1;
    for (std::size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) n = 1;
    }
    visit(text.substr(i, n));
    i += n;
  }
}

}  // namespace quillon
