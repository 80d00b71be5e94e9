#pragma once
// What a Texture holds on this platform: an SDL texture and the renderer it
// belongs to. The renderer may go first (Quillon_Unload); the texture then
// neither draws nor frees anything, since SDL freed it with the renderer.

#include <cstdint>
#include <memory>
#include <vector>

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;

namespace quillon::platform {

struct RendererHandle {
  SDL_Renderer* Renderer = nullptr;
  // The software renderer's own back buffer (see software_canvas.h); null
  // for a renderer that draws on the window itself.
  SDL_Surface* Canvas = nullptr;
  explicit RendererHandle(SDL_Renderer* renderer, SDL_Surface* canvas = nullptr)
      : Renderer(renderer), Canvas(canvas) {}
  ~RendererHandle();
  RendererHandle(const RendererHandle&) = delete;
  RendererHandle& operator=(const RendererHandle&) = delete;
};

class TextureData {
 public:
  // argb: the texels, kept only where the engine copies sprites itself.
  TextureData(std::weak_ptr<RendererHandle> owner, SDL_Texture* texture, int width, int height,
              std::vector<std::uint32_t> argb = {})
      : owner_(std::move(owner)), texture_(texture), width_(width), height_(height), argb_(std::move(argb)) {}
  ~TextureData();
  TextureData(const TextureData&) = delete;
  TextureData& operator=(const TextureData&) = delete;

  // The SDL texture when it can still be drawn by renderer.
  SDL_Texture* For(const RendererHandle& renderer) const;
  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<std::uint32_t>& Argb() const { return argb_; }

 private:
  std::weak_ptr<RendererHandle> owner_;
  SDL_Texture* texture_;
  int width_;
  int height_;
  std::vector<std::uint32_t> argb_;
};

}  // namespace quillon::platform
