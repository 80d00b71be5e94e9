#pragma once
// Reading one tuning key into one field. A value that is missing or cannot be
// converted to the field's type leaves the field as it was; a value outside
// the range a game can be played with is replaced by the shipped value of
// the same key. Every such value is told once, for the game's log.

#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/game_ini.h"
#include "sim/game_state.h"

namespace pebblerun {

// The values a field may take, in the field's own units (after scaling).
struct TuningRange {
  double Min = -std::numeric_limits<double>::infinity();
  double Max = std::numeric_limits<double>::infinity();
};
inline constexpr TuningRange kNotNegative{0, std::numeric_limits<double>::infinity()};

// The lines a reading has to tell, each once, in the order first found. The
// keys a file lacks make one line per file, each key named once.
class TuningLog {
 public:
  void Add(const std::string& line);
  void Missing(const std::string& file, std::string_view section, std::string_view key);
  std::vector<std::string> Lines() const;

 private:
  std::vector<std::string> lines_;
  struct MissingKey {
    std::string file, section, key;
  };
  std::vector<MissingKey> missing_;
};

class TuningReader {
 public:
  // text is read; shipped gives the replacement of a value out of range;
  // name is the file as the log names it.
  TuningReader(const IniText& text, const IniText& shipped, std::string name, TuningLog& log)
      : text_(text), shipped_(shipped), name_(std::move(name)), log_(log) {}

  const std::string& Name() const { return name_; }
  TuningLog& Log() const { return log_; }

  // Each returns false (field unchanged) when the value is missing or
  // cannot be read; a value out of range counts as read.
  bool ReadInteger(std::string_view section, std::string_view key, Integer& field,
                   TuningRange range = {}) const;
  bool ReadLong(std::string_view section, std::string_view key, Long& field) const;
  bool ReadSingle(std::string_view section, std::string_view key, Single& field,
                  TuningRange range = {}) const;
  bool ReadBool(std::string_view section, std::string_view key, bool& field) const;
  bool ReadString(std::string_view section, std::string_view key, std::string& field) const;
  // The value read as a Double, scaled (value * factor), stored as Single.
  bool ReadScaled(std::string_view section, std::string_view key, double factor, Single& field,
                  TuningRange range = {}) const;
  // The value read as a Double, divided by divisor, stored as Single.
  bool ReadDivided(std::string_view section, std::string_view key, double divisor, Single& field) const;
  // base - the value, stored as Single (water heights as screen y).
  bool ReadFromBase(std::string_view section, std::string_view key, double base, Single& field) const;

 private:
  template <typename T, typename Convert>
  bool Read(std::string_view section, std::string_view key, T& field, Convert convert,
            TuningRange range) const;

  const IniText& text_;
  const IniText& shipped_;
  std::string name_;
  TuningLog& log_;
};

// A Double rounded to Single; nullopt when it does not fit.
std::optional<Single> ToSingle(double value);

}  // namespace pebblerun
