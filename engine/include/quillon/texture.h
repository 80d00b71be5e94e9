#pragma once
// A texture loaded by Engine::CreateTexture. The caller owns it; it stays valid
// (and simply draws nothing) after the engine that made it has unloaded.

#include <memory>

namespace quillon {

namespace platform {
class TextureData;
}

class Texture {
 public:
  Texture();
  ~Texture();
  Texture(Texture&&) noexcept;
  Texture& operator=(Texture&&) noexcept;
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  bool Empty() const { return !data_; }
  explicit operator bool() const { return !Empty(); }
  int Width() const;  // texels; 0 when empty
  int Height() const;
  void Reset();

  // Engine side only.
  explicit Texture(std::unique_ptr<platform::TextureData> data);
  const platform::TextureData* Data() const { return data_.get(); }

 private:
  std::unique_ptr<platform::TextureData> data_;
};

}  // namespace quillon
