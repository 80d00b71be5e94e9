// Engine: textures, sprites, the tint and bitmap-font text.

#include <variant>

#include "engine_impl.h"
#include "mod_extra.h"
#include "platform/message_box.h"
#include "platform/texture_data.h"
#include "quillon/numbers.h"
#include "quillon/profile.h"
#include "texture_loader.h"

namespace quillon {

Texture::Texture() = default;
Texture::~Texture() = default;
Texture::Texture(Texture&&) noexcept = default;
Texture& Texture::operator=(Texture&&) noexcept = default;
Texture::Texture(std::unique_ptr<platform::TextureData> data) : data_(std::move(data)) {}
int Texture::Width() const { return data_ ? data_->Width() : 0; }
int Texture::Height() const { return data_ ? data_->Height() : 0; }
void Texture::Reset() { data_.reset(); }

namespace {

// The forced size of a file from "qlno.ini"; the file's own size without an entry.
bool ForcedSize(std::string_view fileName, TextureSize& size, std::string& error) {
  if (!lib::FileExists("qlno.ini")) return true;
  std::string value = profile::ReadString(lib::MakeAbsolute("qlno.ini"), "file_texture_sizes", fileName);
  if (value.empty()) return true;
  const auto parsed = ParseTextureSize(value);
  if (!parsed) {
    error = "bad texture size \"" + value + "\" in qlno.ini";
    return false;
  }
  size = *parsed;
  return true;
}

}  // namespace

void Engine::CreateTexture(Texture& DXTexture, std::string_view FileName, std::int32_t transpColor) {
  const std::string name(FileName);
  if (!lib::FileExists(name)) {
    lib::SaveLog("Error in CreateTextureEx : File is missing : " + lib::LogPath(name));
    return;
  }
  TextureSize size;
  std::string error = "no display device";
  if (!ForcedSize(name, size, error) || !impl_->Video) {
    lib::SaveLog("Error in CreateTextureEx : " + error);
    return;
  }
  auto image = LoadTextureImage(lib::MakeAbsolute(name), transpColor, size, error);
  auto data = image ? impl_->Video->CreateTexture(*image, error) : nullptr;
  if (!data) {
    lib::SaveLog("Error in CreateTextureEx : " + error);
    return;
  }
  DXTexture = Texture(std::move(data));
}

void Engine::Impl::Queue(const platform::TextureData& texture, const SpriteVars& sprite, float angleDegrees,
                         const SpriteColour& colour) {
  Video->DrawSprite(texture, ToSpriteCall(sprite, angleDegrees, colour));
}

void Engine::Draw(const Texture& DXTexture, float X, float Y, float Width, float Height, float RotationAng,
                  std::int16_t AlphaTransp, float SrcX, float SrcY, float scaleWidth, float scaleHeight,
                  float centerRotationX, float centerRotationY) {
  if (!impl_->Video || DXTexture.Empty()) return;
  const auto sprite = MakeSprite(X, Y, Width, Height, RotationAng, SrcX, SrcY, scaleWidth, scaleHeight,
                                 centerRotationX, centerRotationY, lib::State().Rad);
  if (!sprite) return;
  const SpriteColour colour{ChannelByte(impl_->TintRed), ChannelByte(impl_->TintGreen),
                            ChannelByte(impl_->TintBlue), AlphaFromTransparency(AlphaTransp)};
  impl_->Queue(*DXTexture.Data(), *sprite, RotationAng, colour);
}

void Engine::DrawText(const Texture& DXTexture, std::string_view varText, float X, float Y, float ScaleSize,
                      float RotationAng, std::int16_t AlphaTransp, float cRed, float cGreen, float cBlue) {
  if (!impl_->Video || DXTexture.Empty()) return;
  const auto& table = impl_->Letters;
  const float w = table.LetterWidth, h = table.LetterHeight;
  const SpriteColour colour{ChannelByte(cRed), ChannelByte(cGreen), ChannelByte(cBlue),
                            AlphaFromTransparency(AlphaTransp)};
  SpriteVars sprite;
  sprite.Rotation = RotationAng != 0 ? -RotationAng * lib::State().Rad : 0.0f;
  sprite.Scaling = {ScaleSize, ScaleSize};
  sprite.Center = {w / 2 * ScaleSize, h / 2 * ScaleSize};
  int i = 0;
  ForEachCharacter(varText, [&](std::string_view character) {
    const auto& cell = table.Cells[table.Index(character)];
    sprite.Translation = {X + static_cast<float>(i) * w * ScaleSize, Y};
    sprite.SrcRect = {cell.X, cell.Y, cell.X + table.LetterWidth, cell.Y + table.LetterHeight};
    impl_->Queue(*DXTexture.Data(), sprite, RotationAng, colour);
    ++i;
  });
}

void Engine::AmbientColor(const ChannelValue& cRed, const ChannelValue& cGreen, const ChannelValue& cBlue) {
  std::int32_t* channels[] = {&impl_->TintRed, &impl_->TintGreen, &impl_->TintBlue};
  const ChannelValue* values[] = {&cRed, &cGreen, &cBlue};
  for (int c = 0; c < 3; ++c) {
    const auto& v = values[c]->Value();
    const auto number = std::holds_alternative<double>(v) ? std::optional<double>(std::get<double>(v))
                                                          : vb::ParseNumber(std::get<std::string>(v));
    const auto converted = number ? vb::CLng(*number) : std::nullopt;
    if (!converted) {
      platform::ShowMessageBox("Error in AmbientColor()\r\nWrong RGB value!");
      return;
    }
    *channels[c] = *converted;
  }
}

}  // namespace quillon
