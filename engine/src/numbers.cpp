#include "quillon/numbers.h"

#include "quillon/ascii.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quillon::vb {
namespace {

using ascii::EqualsNoCase;
using ascii::TrimBlanks;

template <typename T>
std::optional<T> RoundChecked(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  // nearbyint follows the default rounding mode: to nearest, ties to even.
  const double r = std::nearbyint(value);
  if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
      r > static_cast<double>(std::numeric_limits<T>::max()))
    return std::nullopt;
  return static_cast<T>(r);
}

std::optional<double> ParseRadix(std::string_view digits, int base) {
  if (digits.empty()) return std::nullopt;
  unsigned long long v = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, base);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return static_cast<double>(v);
}

std::string FormatGeneral(double value, int precision) {
  if (value == 0) return "0";  // also turns -0 into "0"
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, precision);
  if (ec != std::errc()) return "0";
  std::string s(buf, end);
  for (char& c : s)
    if (c == 'e') c = 'E';
  return s;
}

}  // namespace

std::optional<Integer> CInt(double value) { return RoundChecked<Integer>(value); }
std::optional<Long> CLng(double value) { return RoundChecked<Long>(value); }

double Int(double value) { return std::floor(value); }
double Fix(double value) { return std::trunc(value); }

std::optional<Long> IDiv(double a, double b) {
  const auto x = CLng(a);
  const auto y = CLng(b);
  if (!x || !y || *y == 0) return std::nullopt;
  if (*x == std::numeric_limits<Long>::min() && *y == -1) return std::nullopt;
  return static_cast<Long>(*x / *y);  // C++ division truncates toward zero
}

std::optional<double> ParseNumber(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  if (s.size() >= 2 && s[0] == '&') {
    if (s[1] == 'H' || s[1] == 'h') return ParseRadix(s.substr(2), 16);
    if (s[1] == 'O' || s[1] == 'o') return ParseRadix(s.substr(2), 8);
    return std::nullopt;
  }
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  // from_chars would also take "inf", "nan" and a second sign: only digits or
  // a point may start the number.
  if (s.empty() || !((s.front() >= '0' && s.front() <= '9') || s.front() == '.')) return std::nullopt;
  double v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return negative ? -v : v;
}

std::optional<Integer> ParseInteger(std::string_view text) {
  const auto v = ParseNumber(text);
  return v ? CInt(*v) : std::nullopt;
}

std::optional<Long> ParseLong(std::string_view text) {
  const auto v = ParseNumber(text);
  return v ? CLng(*v) : std::nullopt;
}

std::optional<Single> ParseSingle(std::string_view text) {
  const auto v = ParseNumber(text);
  if (!v || std::fabs(*v) > static_cast<double>(std::numeric_limits<float>::max())) return std::nullopt;
  return static_cast<Single>(*v);
}

std::optional<bool> ParseBool(std::string_view text) {
  const std::string_view s = TrimBlanks(text);
  if (EqualsNoCase(s, "true")) return true;
  if (EqualsNoCase(s, "false")) return false;
  if (const auto v = ParseNumber(s)) return *v != 0;
  return std::nullopt;
}

std::string FormatSingle(Single value) { return FormatGeneral(static_cast<double>(value), 7); }
std::string FormatDouble(double value) { return FormatGeneral(value, 15); }
std::string FormatLong(long long value) { return std::to_string(value); }

}  // namespace quillon::vb
