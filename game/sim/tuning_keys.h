#pragma once
// Reading one tuning key into one field: a value that is missing or cannot be
// converted to the field's type leaves the field as it was.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "sim/game_state.h"

namespace pebblerun {

class TuningReader {
 public:
  explicit TuningReader(std::filesystem::path file) : file_(std::move(file)) {}

  std::string Text(std::string_view section, std::string_view key) const;

  // Each returns false (field unchanged) when the value cannot be read.
  bool ReadInteger(std::string_view section, std::string_view key, Integer& field) const;
  bool ReadLong(std::string_view section, std::string_view key, Long& field) const;
  bool ReadSingle(std::string_view section, std::string_view key, Single& field) const;
  bool ReadBool(std::string_view section, std::string_view key, bool& field) const;
  void ReadString(std::string_view section, std::string_view key, std::string& field) const;
  // The value read as a Double, scaled (value * factor), stored as Single.
  bool ReadScaled(std::string_view section, std::string_view key, double factor, Single& field) const;
  // The value read as a Double, divided by divisor, stored as Single.
  bool ReadDivided(std::string_view section, std::string_view key, double divisor, Single& field) const;
  // offset - the value, stored as Single (water heights as screen y).
  bool ReadFromBase(std::string_view section, std::string_view key, double base, Single& field) const;

 private:
  std::optional<double> Number(std::string_view section, std::string_view key) const;
  std::filesystem::path file_;
};

// A Double rounded to Single; nullopt when it does not fit.
std::optional<Single> ToSingle(double value);

}  // namespace pebblerun
