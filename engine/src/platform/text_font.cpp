#include "platform/text_font.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include "platform/surface_image.h"

namespace quillon::platform {

namespace {

struct Match {
  std::string File;
  bool Bold = false;
  bool Italic = false;
};

Match MatchFace(std::string_view family, bool bold, bool italic) {
  Match result;
  if (!FcInit()) return result;
  FcPattern* pattern = FcPatternCreate();
  const std::string name(family);
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  // Only faces SDL_ttf can open.
  FcPatternAddString(pattern, FC_FONTFORMAT, reinterpret_cast<const FcChar8*>("TrueType"));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult res;
  FcPattern* match = FcFontMatch(nullptr, pattern, &res);
  if (match) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
      result.File = reinterpret_cast<const char*>(file);
    }
    int weight = 0, slant = 0;
    if (FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch)
      result.Bold = weight >= FC_WEIGHT_BOLD;
    if (FcPatternGetInteger(match, FC_SLANT, 0, &slant) == FcResultMatch)
      result.Italic = slant != FC_SLANT_ROMAN;
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return result;
}

}  // namespace

std::string MatchFontFile(std::string_view family, bool bold, bool italic) {
  return MatchFace(family, bold, italic).File;
}

std::shared_ptr<TextFont> TextFont::Open(const FontDesc& desc, std::string& error) {
  const Match face = MatchFace(desc.Name, desc.Bold, desc.Italic);
  if (face.File.empty()) {
    error = "no installed font for \"" + desc.Name + "\"";
    return nullptr;
  }
  if (desc.Size <= 0) {
    error = "bad font size " + std::to_string(desc.Size);
    return nullptr;
  }
  if (TTF_Init() != 0) {
    error = TTF_GetError();
    return nullptr;
  }
  std::shared_ptr<TextFont> font(new TextFont());
  font->file_ = face.File;
  font->font_ = TTF_OpenFontDPI(face.File.c_str(), desc.Size, 96, 96);
  if (!font->font_) {
    error = TTF_GetError();
    return nullptr;  // the destructor balances TTF_Init
  }
  // A family without a bold or italic face gets the style drawn for it.
  int style = TTF_STYLE_NORMAL;
  if (desc.Bold && !face.Bold) style |= TTF_STYLE_BOLD;
  if (desc.Italic && !face.Italic) style |= TTF_STYLE_ITALIC;
  TTF_SetFontStyle(font->font_, style);
  return font;
}

TextFont::~TextFont() {
  if (font_) TTF_CloseFont(font_);
  TTF_Quit();
}

int TextFont::LineHeight() const { return TTF_FontLineSkip(font_); }

int TextFont::Width(std::string_view text) const {
  if (text.empty()) return 0;
  int w = 0, h = 0;
  const std::string s(text);
  return TTF_SizeUTF8(font_, s.c_str(), &w, &h) == 0 ? w : 0;
}

std::optional<Image> TextFont::Render(std::string_view text) const {
  if (text.empty()) return std::nullopt;
  const std::string s(text);
  return TakeSurface(TTF_RenderUTF8_Blended(font_, s.c_str(), SDL_Color{255, 255, 255, 255}));
}

}  // namespace quillon::platform
