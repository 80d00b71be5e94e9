#pragma once
// What a Texture holds on this platform: an SDL texture and the renderer it
// belongs to. The renderer may go first (Quillon_Unload); the texture then
// neither draws nor frees anything, since SDL freed it with the renderer.

#include <memory>

struct SDL_Renderer;
struct SDL_Texture;

namespace quillon::platform {

struct RendererHandle {
  SDL_Renderer* Renderer = nullptr;
  explicit RendererHandle(SDL_Renderer* renderer) : Renderer(renderer) {}
  ~RendererHandle();
  RendererHandle(const RendererHandle&) = delete;
  RendererHandle& operator=(const RendererHandle&) = delete;
};

class TextureData {
 public:
  TextureData(std::weak_ptr<RendererHandle> owner, SDL_Texture* texture, int width, int height)
      : owner_(std::move(owner)), texture_(texture), width_(width), height_(height) {}
  ~TextureData();
  TextureData(const TextureData&) = delete;
  TextureData& operator=(const TextureData&) = delete;

  // The SDL texture when it can still be drawn by renderer.
  SDL_Texture* For(const RendererHandle& renderer) const;
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  std::weak_ptr<RendererHandle> owner_;
  SDL_Texture* texture_;
  int width_;
  int height_;
};

}  // namespace quillon::platform
