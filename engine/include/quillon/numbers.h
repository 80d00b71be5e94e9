#pragma once
// The number rules the whole product relies on, the same in the engine, the
// game and the settings dialog:
//  - whole-number conversions round to nearest with halves to even and report
//    overflow instead of wrapping;
//  - Int() rounds down, Fix() toward zero;
//  - integer division "\" rounds both operands to whole numbers first and
//    then truncates toward zero;
//  - number text always uses "." as the decimal point, whatever the locale;
//  - Booleans are "True"/"False" (any case) or a number (not 0 is true).
// Integer = int16_t, Long = int32_t, Single = float, Double = double.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::vb {

using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;

// Round to nearest, halves to even; nullopt when out of range or not a number.
std::optional<Integer> CInt(double value);
std::optional<Long> CLng(double value);

// Largest whole number not above value (Int) / value with its fraction cut off (Fix).
double Int(double value);
double Fix(double value);

// a \ b: both operands rounded to Long (halves to even), then the quotient
// truncated toward zero. nullopt on overflow or division by zero.
std::optional<Long> IDiv(double a, double b);

// Text to number, "." as decimal point. Accepts surrounding blanks, a sign,
// digits with an optional fraction and exponent, and "&H"/"&O" hex and octal
// whole numbers. Anything else (including "") is nullopt.
std::optional<double> ParseNumber(std::string_view text);

// Text to a whole number of the type, rounding as CInt / CLng do.
std::optional<Integer> ParseInteger(std::string_view text);
std::optional<Long> ParseLong(std::string_view text);
// Text to Single: parsed as Double and rounded to float; nullopt when out of range.
std::optional<Single> ParseSingle(std::string_view text);

// "True"/"False" in any case (blanks around allowed), or a number (not 0 is true).
std::optional<bool> ParseBool(std::string_view text);

// Number to text as the system writes it: whole numbers without a point,
// Singles with up to 7 significant digits, Doubles with up to 15, no trailing
// zeros, "." decimal point, exponent form ("1E+07", "1E-05") for very large
// or very small values.
std::string FormatSingle(Single value);
std::string FormatDouble(double value);
std::string FormatLong(long long value);
inline std::string FormatBool(bool value) { return value ? "True" : "False"; }

}  // namespace quillon::vb
