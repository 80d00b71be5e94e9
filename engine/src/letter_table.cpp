#include "letter_table.h"

#include "mod_extra.h"
#include "quillon/numbers.h"
#include "quillon/profile.h"

namespace quillon {

namespace {

constexpr const char* kFontFile = "font.ini";
constexpr const char* kSignsValue = "Signs value";
constexpr const char* kSignsPosition = "Signs position";
constexpr const char* kLetterSizes = "Letter sizes";

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

void WriteDefaults(const LetterTable& table) {
  const auto file = lib::MakeAbsolute(kFontFile);
  for (int i = 0; i < LetterTable::kCells; ++i) {
    profile::WriteString(file, kSignsValue, std::to_string(i), table.Signs[i]);
  }
  for (int i = 0; i < LetterTable::kCells; ++i) {
    const auto& cell = table.Cells[i];
    profile::WriteString(file, kSignsPosition, std::to_string(i),
                         std::to_string(cell.X) + "x" + std::to_string(cell.Y));
  }
  profile::WriteString(file, kLetterSizes, "Width", std::to_string(table.LetterWidth));
  profile::WriteString(file, kLetterSizes, "Height", std::to_string(table.LetterHeight));
}

}  // namespace

bool ReadLetterTable(const profile::IniSnapshot& file, LetterTable& table, std::string& error) {
  for (int i = 0; i < LetterTable::kCells; ++i) {
    table.Signs[i] = file.Read(kSignsValue, std::to_string(i));
  }
  for (int i = 0; i < LetterTable::kCells; ++i) {
    const std::string value = file.Read(kSignsPosition, std::to_string(i));
    if (value.empty()) {
      table.Cells[i] = {};
      continue;
    }
    const auto cut = value.find('x');
    const auto x = vb::ParseInteger(std::string_view(value).substr(0, cut));
    const auto y =
        cut == std::string::npos ? std::nullopt : vb::ParseInteger(std::string_view(value).substr(cut + 1));
    if (!x || !y) {
      error = "bad cell position \"" + value + "\" of sign " + std::to_string(i) + " in font.ini";
      return false;
    }
    table.Cells[i] = {*x, *y};
  }
  const auto width = vb::ParseInteger(file.Read(kLetterSizes, "Width"));
  const auto height = vb::ParseInteger(file.Read(kLetterSizes, "Height"));
  if (!width || !height) {
    error = "bad letter size in font.ini";
    return false;
  }
  table.LetterWidth = *width;
  table.LetterHeight = *height;
  return true;
}

LetterTable LetterTable::Defaults() {
  LetterTable table;
  table.Signs.fill(" ");
  for (int i = 0; i < 10; ++i) table.Signs[1 + i] = std::string(1, char('0' + i));
  for (int i = 0; i < 26; ++i) {
    table.Signs[11 + i] = std::string(1, char('A' + i));
    table.Signs[44 + i] = std::string(1, char('a' + i));
  }
  static constexpr const char* kPunctuation[] = {".", ",", ":", ";", "'", "\"", "-", "+", "\\", "/",
                                                 "*", "=", "(", ")", "[", "]",  "<", ">", "_",  "!",
                                                 "?", "#", "&", "$", "€", "%",  "©", "@"};
  for (int i = 0; i < 28; ++i) table.Signs[77 + i] = kPunctuation[i];
  for (int k = 0; k < kCells; ++k) {
    table.Cells[k] = {static_cast<std::int16_t>((k % 11) * 23 + 1),
                      static_cast<std::int16_t>((k / 11) * 23 + 1)};
  }
  table.LetterWidth = 22;
  table.LetterHeight = 22;
  return table;
}

int LetterTable::Index(std::string_view character) const {
  const auto wanted = TrimBlanks(character);
  for (int i = 0; i < kCells; ++i) {
    if (TrimBlanks(Signs[i]) == wanted) return i;
  }
  return 0;
}

bool LoadLetterTable(LetterTable& table, std::string& error) {
  if (lib::FileExists(kFontFile)) {
    const auto file = profile::LoadSnapshot(lib::MakeAbsolute(kFontFile));
    if (file) return ReadLetterTable(*file, table, error);
    error = "font.ini is not a file";
    return false;
  }
  table = LetterTable::Defaults();
  WriteDefaults(table);
  return true;
}

}  // namespace quillon
