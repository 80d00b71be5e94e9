#pragma once
// System fonts: the installed face closest to a family name (fontconfig) at a
// size in points (96 dots per inch), rendered with SDL_ttf.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "image.h"
#include "quillon/records.h"

// SDL_ttf's own name for its font type, declared here so that callers need not
// include SDL_ttf.
typedef struct _TTF_Font TTF_Font;  // NOLINT(bugprone-reserved-identifier)

namespace quillon::platform {

// The file of the installed face that best matches; "" when there is none.
std::string MatchFontFile(std::string_view family, bool bold, bool italic);

class TextFont {
 public:
  static std::shared_ptr<TextFont> Open(const FontDesc& desc, std::string& error);
  ~TextFont();
  TextFont(const TextFont&) = delete;
  TextFont& operator=(const TextFont&) = delete;

  int LineHeight() const;
  int Width(std::string_view text) const;
  // The text in white on transparent; nullopt for an empty text.
  std::optional<Image> Render(std::string_view text) const;
  const std::string& File() const { return file_; }

 private:
  TextFont() = default;
  TTF_Font* font_ = nullptr;
  std::string file_;
};

}  // namespace quillon::platform
