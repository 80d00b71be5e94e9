#include "sim/tuning_keys.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include <quillon/numbers.h>

namespace pebblerun {

namespace vb = quillon::vb;

namespace {

std::string Shown(std::string_view section, std::string_view key) {
  return "[" + std::string(section) + "] " + std::string(key);
}

template <typename T>
std::string Text(const T& value) {
  if constexpr (std::is_same_v<T, std::string>) {
    return value;
  } else if constexpr (std::is_same_v<T, bool>) {
    return vb::FormatBool(value);
  } else if constexpr (std::is_same_v<T, Single>) {
    return vb::FormatSingle(value);
  } else {
    return vb::FormatLong(value);
  }
}

template <typename T>
bool InRange(const T& value, TuningRange range) {
  if constexpr (std::is_arithmetic_v<T> && !std::is_same_v<T, bool>) {
    return static_cast<double>(value) >= range.Min && static_cast<double>(value) <= range.Max;
  } else {
    return true;
  }
}

std::optional<double> Number(const std::string& text) { return vb::ParseNumber(text); }

}  // namespace

void TuningLog::Add(const std::string& line) {
  if (std::find(lines_.begin(), lines_.end(), line) == lines_.end()) lines_.push_back(line);
}

void TuningLog::Missing(const std::string& file, std::string_view section, std::string_view key) {
  // Keys read twice (a level shares another's) are named once.
  for (const MissingKey& m : missing_)
    if (m.key == key && m.section == section && m.file == file) return;
  missing_.push_back({file, std::string(section), std::string(key)});
}

std::vector<std::string> TuningLog::Lines() const {
  std::vector<std::string> lines = lines_;
  for (std::size_t first = 0; first < missing_.size();) {
    const std::string& file = missing_[first].file;
    std::string line = "Tuning values are missing in " + file + " :";
    std::size_t next = first;
    for (; next < missing_.size() && missing_[next].file == file; ++next) {
      line.append(" [").append(missing_[next].section).append("] ").append(missing_[next].key).append(";");
    }
    lines.push_back(line.append(" (each keeps its value)"));
    first = next;
  }
  return lines;
}

std::optional<Single> ToSingle(double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  return static_cast<Single>(value);
}

template <typename T, typename Convert>
bool TuningReader::Read(std::string_view section, std::string_view key, T& field, Convert convert,
                        TuningRange range) const {
  const std::string text = ReadIni(section, key, text_);
  if (text.empty()) {
    log_.Missing(name_, section, key);
    return false;
  }
  const std::optional<T> value = convert(text);
  if (!value) {
    log_.Add("Tuning value cannot be read : " + Shown(section, key) + " = " + text + " in " + name_ +
             " (the value stays " + Text(field) + ")");
    return false;
  }
  if (InRange(*value, range)) {
    field = *value;
    return true;
  }
  // The shipped values all lie in their ranges (the tests hold them to it).
  if (const auto shipped = convert(ReadIni(section, key, shipped_))) field = *shipped;
  log_.Add("Tuning value out of range : " + Shown(section, key) + " = " + text + " in " + name_ + " (" +
           Text(field) + " is used)");
  return true;
}

bool TuningReader::ReadInteger(std::string_view section, std::string_view key, Integer& field,
                               TuningRange range) const {
  return Read(section, key, field, vb::ParseInteger, range);
}

bool TuningReader::ReadLong(std::string_view section, std::string_view key, Long& field) const {
  return Read(section, key, field, vb::ParseLong, {});
}

bool TuningReader::ReadSingle(std::string_view section, std::string_view key, Single& field,
                              TuningRange range) const {
  return Read(section, key, field, vb::ParseSingle, range);
}

bool TuningReader::ReadBool(std::string_view section, std::string_view key, bool& field) const {
  return Read(section, key, field, vb::ParseBool, {});
}

bool TuningReader::ReadString(std::string_view section, std::string_view key, std::string& field) const {
  return Read(section, key, field, [](const std::string& text) { return std::optional<std::string>(text); },
              {});
}

bool TuningReader::ReadScaled(std::string_view section, std::string_view key, double factor, Single& field,
                              TuningRange range) const {
  const auto scaled = [factor](const std::string& text) {
    const auto n = Number(text);
    return n ? ToSingle(*n * factor) : std::nullopt;
  };
  return Read(section, key, field, scaled, range);
}

bool TuningReader::ReadDivided(std::string_view section, std::string_view key, double divisor,
                               Single& field) const {
  const auto divided = [divisor](const std::string& text) {
    const auto n = Number(text);
    return n ? ToSingle(*n / divisor) : std::nullopt;
  };
  return Read(section, key, field, divided, {});
}

bool TuningReader::ReadFromBase(std::string_view section, std::string_view key, double base,
                                Single& field) const {
  const auto fromBase = [base](const std::string& text) {
    const auto n = Number(text);
    return n ? ToSingle(base - *n) : std::nullopt;
  };
  return Read(section, key, field, fromBase, {});
}

}  // namespace pebblerun
