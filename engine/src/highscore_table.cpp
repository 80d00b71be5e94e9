#include "highscore_table.h"

#include "mod_extra.h"
#include "platform/files.h"
#include "quillon/numbers.h"
#include "quillon/profile.h"

namespace quillon {

namespace {

constexpr const char* SetupSection = "setup";
constexpr const char* ScoresSection = "scores";
// A table file names its own size; anything beyond this many stored values
// is a damaged or hostile file, not a score table.
constexpr long MaxStoredValues = 1'000'000;

std::string Key(int index, const char* field) { return std::to_string(index) + field; }
std::string ValueKey(int index, int valueIndex) {
  return std::to_string(index) + "_value_" + std::to_string(valueIndex);
}

}  // namespace

HighScoreTable::HighScoreTable(std::string fileName, int topX, int additionalValues)
    : fileName_(std::move(fileName)),
      topX_(topX),
      entries_(static_cast<std::size_t>(topX) + 2,
               Entry{0, "", std::vector<std::string>(static_cast<std::size_t>(additionalValues) + 1)}) {}

std::unique_ptr<HighScoreTable> HighScoreTable::Load(Extra& io, const std::string& fileName,
                                                     std::int16_t& topX, std::int16_t& additionalValues) {
  if (!io.FileExists(fileName)) {
    // Both keys or neither: a file with only one of them could never be loaded.
    const std::string topXText = vb::FormatLong(topX), valuesText = vb::FormatLong(additionalValues);
    const profile::KeyValue setup[] = {{SetupSection, "TopX", topXText},
                                       {SetupSection, "additionalValues", valuesText}};
    profile::WriteStrings(lib::MakeAbsolute(fileName), setup);
  } else {
    const auto storedTopX = vb::ParseInteger(io.INIRead(SetupSection, "TopX", fileName));
    const auto storedValues = vb::ParseInteger(io.INIRead(SetupSection, "additionalValues", fileName));
    if (!storedTopX || !storedValues) {
      return nullptr;
    }
    topX = *storedTopX;
    additionalValues = *storedValues;
  }
  if (topX < 0 || additionalValues < 0 || (topX + 2L) * (additionalValues + 1L) > MaxStoredValues) {
    return nullptr;
  }

  auto table = std::make_unique<HighScoreTable>(fileName, topX, additionalValues);
  if (platform::IsRegularFile(lib::MakeAbsolute(fileName))) {
    for (int i = 0; i <= topX + 1; ++i) {
      if (!table->LoadEntry(io, i)) {
        return nullptr;
      }
    }
  }
  return table;
}

bool HighScoreTable::LoadEntry(Extra& io, int index) {
  Entry& entry = entries_[static_cast<std::size_t>(index)];
  std::string scoreText = io.INIRead(ScoresSection, Key(index, "_score"), fileName_);
  const auto score = vb::ParseSingle(scoreText.empty() ? "0" : scoreText);
  if (!score) {
    return false;
  }
  entry.Score = *score;
  entry.Name = io.INIRead(ScoresSection, Key(index, "_name"), fileName_);
  for (std::size_t j = 0; j < entry.Values.size(); ++j) {
    entry.Values[j] = io.INIRead(ScoresSection, ValueKey(index, static_cast<int>(j)), fileName_);
  }
  return true;
}

void HighScoreTable::AddEntryKeys(int index, std::vector<StoredKey>& keys) const {
  const Entry& entry = entries_[static_cast<std::size_t>(index)];
  keys.push_back({Key(index, "_score"), vb::FormatSingle(entry.Score)});
  keys.push_back({Key(index, "_name"), entry.Name});
  for (std::size_t j = 0; j < entry.Values.size(); ++j) {
    keys.push_back({ValueKey(index, static_cast<int>(j)), entry.Values[j]});
  }
}

void HighScoreTable::WriteKeys(const std::vector<StoredKey>& keys) const {
  // One change on disk: a table read after a crash is the old one or the new
  // one, never one with some entries moved. A failed write leaves the file as
  // it was; the table in memory stays right.
  std::vector<profile::KeyValue> changes;
  changes.reserve(keys.size());
  for (const StoredKey& k : keys) changes.push_back({ScoresSection, k.Key, k.Value});
  profile::WriteStrings(lib::MakeAbsolute(fileName_), changes);
}

std::int16_t HighScoreTable::NewScore(float score, const std::string& name,
                                      const std::vector<std::string>& values) {
  // Walk up from the last rank, moving every beaten entry one rank down; an
  // equal score stays above the new one.
  std::vector<StoredKey> keys;
  int rank = 0;
  for (int i = topX_; i >= 1; --i) {
    if (!(score > entries_[static_cast<std::size_t>(i)].Score)) {
      continue;
    }
    entries_[static_cast<std::size_t>(i) + 1] = entries_[static_cast<std::size_t>(i)];
    AddEntryKeys(i + 1, keys);
    if (i == 1 || score <= entries_[static_cast<std::size_t>(i) - 1].Score) {
      rank = i;
      break;
    }
  }
  if (rank == 0) {
    return 0;
  }
  Entry& entry = entries_[static_cast<std::size_t>(rank)];
  entry.Score = score;
  entry.Name = name;
  for (std::size_t j = 0; j < entry.Values.size(); ++j) {
    entry.Values[j] = j < values.size() ? values[j] : std::string();
  }
  AddEntryKeys(rank, keys);
  WriteKeys(keys);
  return static_cast<std::int16_t>(rank);
}

std::int16_t HighScoreTable::CheckPos(float score) const {
  for (int i = 1; i <= topX_; ++i) {
    if (entries_[static_cast<std::size_t>(i)].Score < score) {
      return static_cast<std::int16_t>(i);
    }
  }
  return 0;
}

const HighScoreTable::Entry* HighScoreTable::Find(int index) const {
  if (index < 0 || index >= static_cast<int>(entries_.size())) {
    return nullptr;
  }
  return &entries_[static_cast<std::size_t>(index)];
}

float HighScoreTable::GetScore(int index) const {
  const Entry* entry = Find(index);
  return entry != nullptr ? entry->Score : 0.0f;
}

std::string HighScoreTable::GetName(int index) const {
  const Entry* entry = Find(index);
  return entry != nullptr ? entry->Name : std::string();
}

std::string HighScoreTable::GetValue(int index, int valueIndex) const {
  const Entry* entry = Find(index);
  if (entry == nullptr || valueIndex < 0 || valueIndex >= static_cast<int>(entry->Values.size())) {
    return "";
  }
  return entry->Values[static_cast<std::size_t>(valueIndex)];
}

// --- Extra's score-table operations.

bool Extra::HighScore_Create() {
  std::string fileName = "hs.ini";
  return HighScore_Create(fileName);
}

bool Extra::HighScore_Create(std::string& FileName) {
  std::int16_t topX = 10;
  return HighScore_Create(FileName, topX);
}

bool Extra::HighScore_Create(std::string& FileName, std::int16_t& TopX) {
  std::int16_t additionalValues = 0;
  return HighScore_Create(FileName, TopX, additionalValues);
}

bool Extra::HighScore_Create(std::string& FileName, std::int16_t& TopX, std::int16_t& additionalValues) {
  scores_.reset();
  FileName = lib::AbsoluteName(FileName);
  std::int16_t topX = TopX;
  std::int16_t values = additionalValues;
  try {
    scores_ = HighScoreTable::Load(*this, FileName, topX, values);
  } catch (const std::exception&) {
    scores_.reset();
  }
  if (!scores_) {
    lib::SaveLog("Error in loading HighScores : " + lib::LogPath(FileName));
    return false;
  }
  TopX = topX;
  additionalValues = values;
  return true;
}

std::int16_t Extra::HighScore_NewScore(float Score, const std::string& Name,
                                       const std::vector<std::string>& Value) {
  return scores_ ? scores_->NewScore(Score, Name, Value) : 0;
}

std::int16_t Extra::HighScore_CheckPos(float Score) const { return scores_ ? scores_->CheckPos(Score) : 0; }

float Extra::HighScore_GetScore(std::int16_t Index) const {
  return scores_ ? scores_->GetScore(Index) : 0.0f;
}

std::string Extra::HighScore_GetName(std::int16_t Index) const {
  return scores_ ? scores_->GetName(Index) : "";
}

std::string Extra::HighScore_GetValue(std::int16_t Index, std::int16_t valueIndex) const {
  return scores_ ? scores_->GetValue(Index, valueIndex) : "";
}

}  // namespace quillon
