// Engine: system fonts.

#include <algorithm>
#include <cctype>

#include "engine_impl.h"
#include "mod_extra.h"
#include "platform/message_box.h"
#include "platform/text_font.h"
#include "quillon/numbers.h"
#include "text_layout.h"

namespace quillon {

namespace {

std::string Lower(std::string_view text) {
  std::string s(text);
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

}  // namespace

void Engine::CreateFont(std::string_view KeyName, std::string_view FontName, std::int16_t FontSize,
                        bool Boldovane, bool Italic) {
  const std::string key = Lower(KeyName);
  auto& fonts = impl_->Fonts;
  if (std::any_of(fonts.begin(), fonts.end(), [&](const DXFonts& f) { return f.Name == key; })) {
    platform::ShowMessageBox("Error importing fonts KeyName.\r\n'" + key + "' already exists!",
                             "DirectX Error");
    return;
  }
  auto& entry = fonts.emplace_back();
  entry.Name = key;
  impl_->SharedFontDesc = FontDesc{std::string(FontName), FontSize, Boldovane, Italic};
  // Each font keeps its own description: later fonts do not change it.
  entry.InfoDesc = impl_->SharedFontDesc;
  std::string error;
  entry.Info = platform::TextFont::Open(entry.InfoDesc, error);
  if (!entry.Info) lib::SaveLog("Error in CreateFont : " + error);
}

void Engine::DrawFont(std::string_view KeyName, float X, float Y, float rectWidth, float rectHeight,
                      std::string_view fntText, std::int32_t fntColor, std::int32_t txtPosition) {
  const std::string key = Lower(KeyName);
  const auto& fonts = impl_->Fonts;
  const auto found =
      std::find_if(fonts.begin(), fonts.end(), [&](const DXFonts& f) { return f.Name == key; });
  if (found == fonts.end() || !found->Info || !impl_->Video) return;
  const auto left = vb::CLng(X), top = vb::CLng(Y), right = vb::CLng(X + rectWidth),
             bottom = vb::CLng(Y + rectHeight);
  if (!left || !top || !right || !bottom) return;
  const platform::TextFont& font = *found->Info;
  const int flags = txtPosition | text_format::kWordBreak;
  const auto lines = LayoutText(fntText, TextBox{*left, *top, *right, *bottom}, flags, font.LineHeight(),
                                [&](std::string_view s) { return font.Width(s); });
  const auto argb = static_cast<std::uint32_t>(fntColor);
  const SpriteColour colour{static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                            static_cast<std::uint8_t>(argb), static_cast<std::uint8_t>(argb >> 24)};
  auto& video = *impl_->Video;
  const bool clip = (flags & text_format::kNoClip) == 0;
  if (clip) video.Clip(*left, *top, *right - *left, *bottom - *top);
  for (const auto& line : lines) {
    const auto* texture = impl_->Texts.Get(video, font, line.Text);
    if (!texture) continue;
    SpriteVars sprite;
    sprite.Translation = {static_cast<float>(line.X), static_cast<float>(line.Y)};
    sprite.SrcRect = {0, 0, texture->Width(), texture->Height()};
    impl_->Queue(*texture, sprite, 0, colour);
  }
  if (clip) video.Unclip();
}

}  // namespace quillon
