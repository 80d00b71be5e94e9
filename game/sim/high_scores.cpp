#include "sim/high_scores.h"

#include <quillon/numbers.h>

#include "sim/game_ini.h"

namespace pebblerun {
namespace {

constexpr const char* kSection = "hs";
constexpr const char* kDefaultName = "TOBO";
constexpr int kTableRows = 10;
constexpr int kCandidate = 10;

std::string Digit(int row) { return std::to_string(row); }

void InsertCandidate(HighScoreState& hs) {
  auto& rows = hs.HighScores;
  for (int i = 0; i < kTableRows; ++i) {
    if (rows[kCandidate].Score > rows[i].Score) {
      for (int j = kTableRows - 1; j > i; --j) rows[j] = rows[j - 1];
      rows[i] = rows[kCandidate];
      rows[kCandidate] = HighScoreRow{"Tobo", 0};
      return;
    }
  }
}

}  // namespace

std::string HighScoreFile(bool story) {
  return story ? "\\textures\\dot_black2.bmp" : "\\textures\\dot_white2.bmp";
}

std::string HighScoreFile(const GameState& g) { return HighScoreFile(g.StoryMode); }

void LoadHighScores(GameState& g) {
  ReadHighScores(g, LoadIni(GameFile(g, HighScoreFile(g))).value_or(IniText()));
  SaveHighScores(g);
}

void ReadHighScores(GameState& g, const IniText& file) {
  auto& rows = g.Records.HighScores;
  for (int row = 0; row < kTableRows; ++row) {
    // A score that is not a number leaves the row's score as it was.
    if (auto score = quillon::vb::ParseLong(ReadIni(kSection, "s" + Digit(row), file)))
      rows[row].Score = *score;
    rows[row].Name = ReadIni(kSection, "n" + Digit(row), file);
    if (rows[row].Name.empty()) {
      rows[row].Name = kDefaultName;
      rows[row].Score = (10 - row) * 200;
    }
  }
}

void SaveHighScores(GameState& g) {
  InsertCandidate(g.Records);
  if (g.Policy.RecordsInMemory) return;
  // The whole table as one change: a crash never leaves it half moved.
  std::vector<std::pair<std::string, std::string>> keys;
  for (int row = 0; row < kTableRows; ++row) {
    const auto& entry = g.Records.HighScores[row];
    keys.emplace_back("s" + Digit(row), quillon::vb::FormatLong(entry.Score));
    keys.emplace_back("n" + Digit(row), entry.Name);
  }
  WriteIniKeys(kSection, keys, GameFile(g, HighScoreFile(g)));
}

}  // namespace pebblerun
