#pragma once
// The ranked score table behind Extra::HighScore_*. Entry 1 is the best rank
// and TopX the last; entry TopX + 1 receives the entry pushed out of the
// table; entry 0 is loaded but never ranked. The file is read through the
// owning Extra's INIRead/INIWrite; every change to the table (all the keys
// of one new score) is written to it at once as one change on disk.

#include "quillon/extra.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillon {

class HighScoreTable {
 public:
  // An empty table of topX ranks.
  HighScoreTable(std::string fileName, int topX, int additionalValues);

  // Loads the table in fileName (an absolute name), or starts the file with
  // topX and additionalValues when it does not exist. On return the two
  // numbers are those of the file. nullptr when the file cannot be used.
  static std::unique_ptr<HighScoreTable> Load(Extra& io, const std::string& fileName, std::int16_t& topX,
                                              std::int16_t& additionalValues);

  std::int16_t NewScore(float score, const std::string& name, const std::vector<std::string>& values);
  std::int16_t CheckPos(float score) const;
  float GetScore(int index) const;
  std::string GetName(int index) const;
  std::string GetValue(int index, int valueIndex) const;

 private:
  struct Entry {
    float Score = 0;
    std::string Name;
    std::vector<std::string> Values;
  };

  struct StoredKey {
    std::string Key;
    std::string Value;
  };

  bool LoadEntry(Extra& io, int index);
  void AddEntryKeys(int index, std::vector<StoredKey>& keys) const;
  void WriteKeys(const std::vector<StoredKey>& keys) const;
  const Entry* Find(int index) const;

  std::string fileName_;
  int topX_;
  std::vector<Entry> entries_;  // indices 0 to topX_ + 1
};

}  // namespace quillon
