// Arbitrary bytes as "font.ini", fed from memory: the letter table is read or
// refused with a reason, never half-read without one, and any character finds
// a cell of the table.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "letter_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  quillon::LetterTable table = quillon::LetterTable::Defaults();
  std::string error;
  if (!quillon::ReadLetterTable(quillon::profile::IniSnapshot(bytes), table, error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  if (!error.empty()) std::abort();
  // A sign finds its own cell or an earlier one with the same sign; any
  // character finds some cell.
  for (int i = 0; i < quillon::LetterTable::kCells; ++i) {
    const int index = table.Index(table.Signs[i]);
    if (index < 0 || index > i) std::abort();
  }
  quillon::ForEachCharacter(bytes.substr(0, 16), [&](std::string_view c) {
    const int index = table.Index(c);
    if (index < 0 || index >= quillon::LetterTable::kCells) std::abort();
  });
  return 0;
}
