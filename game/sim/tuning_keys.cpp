#include "sim/tuning_keys.h"

#include <cmath>
#include <limits>

#include <quillon/numbers.h>

#include "sim/game_ini.h"

namespace pebblerun {

namespace vb = quillon::vb;

std::optional<Single> ToSingle(double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  return static_cast<Single>(value);
}

std::string TuningReader::Text(std::string_view section, std::string_view key) const {
  return ReadIni(section, key, file_);
}

std::optional<double> TuningReader::Number(std::string_view section, std::string_view key) const {
  return vb::ParseNumber(Text(section, key));
}

bool TuningReader::ReadInteger(std::string_view section, std::string_view key, Integer& field) const {
  const auto v = vb::ParseInteger(Text(section, key));
  if (v) field = *v;
  return v.has_value();
}

bool TuningReader::ReadLong(std::string_view section, std::string_view key, Long& field) const {
  const auto v = vb::ParseLong(Text(section, key));
  if (v) field = *v;
  return v.has_value();
}

bool TuningReader::ReadSingle(std::string_view section, std::string_view key, Single& field) const {
  const auto v = vb::ParseSingle(Text(section, key));
  if (v) field = *v;
  return v.has_value();
}

bool TuningReader::ReadBool(std::string_view section, std::string_view key, bool& field) const {
  const auto v = vb::ParseBool(Text(section, key));
  if (v) field = *v;
  return v.has_value();
}

void TuningReader::ReadString(std::string_view section, std::string_view key, std::string& field) const {
  field = Text(section, key);
}

bool TuningReader::ReadScaled(std::string_view section, std::string_view key, double factor,
                              Single& field) const {
  const auto n = Number(section, key);
  const auto v = n ? ToSingle(*n * factor) : std::nullopt;
  if (v) field = *v;
  return v.has_value();
}

bool TuningReader::ReadDivided(std::string_view section, std::string_view key, double divisor,
                               Single& field) const {
  const auto n = Number(section, key);
  const auto v = n ? ToSingle(*n / divisor) : std::nullopt;
  if (v) field = *v;
  return v.has_value();
}

bool TuningReader::ReadFromBase(std::string_view section, std::string_view key, double base,
                                Single& field) const {
  const auto n = Number(section, key);
  const auto v = n ? ToSingle(base - *n) : std::nullopt;
  if (v) field = *v;
  return v.has_value();
}

}  // namespace pebblerun
