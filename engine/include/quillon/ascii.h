#pragma once
// Text helpers for names the system compares without regard to case: section
// and key names of INI files, file names. Only ASCII letters fold; every other
// byte compares as it is, so names in the system's single-byte code page keep
// working without a locale.

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon::ascii {

constexpr char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

inline bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

inline std::string ToLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = Lower(c);
  return out;
}

// Removes spaces and tabs at both ends.
constexpr std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Hash and equality for unordered containers keyed by names without regard to
// case; transparent, so a lookup by string_view allocates nothing.
struct NoCaseHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const noexcept {
    std::size_t h = 14695981039346656037ull;  // FNV-1a over the folded bytes
    for (char c : s) {
      h ^= static_cast<unsigned char>(Lower(c));
      h *= 1099511628211ull;
    }
    return h;
  }
};

struct NoCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept { return EqualsNoCase(a, b); }
};

}  // namespace quillon::ascii
