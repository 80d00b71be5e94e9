#pragma once
// The window and its renderer. Everything the engine draws goes through here;
// nothing else in the engine sees SDL.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "image.h"
#include "platform/sprite_blend.h"

struct SDL_Window;
struct SDL_Texture;

namespace quillon::platform {

class TextureData;
struct RendererHandle;

// Holds SDL's video subsystem for as long as it lives.
class VideoSystem {
 public:
  static std::unique_ptr<VideoSystem> Acquire(std::string& error);
  ~VideoSystem();
  VideoSystem(const VideoSystem&) = delete;
  VideoSystem& operator=(const VideoSystem&) = delete;
  // "dummy" or "offscreen": no one can see a window or answer a message box.
  static bool Headless();

 private:
  VideoSystem() = default;
};

struct VideoMode {
  int BufferWidth = 800;
  int BufferHeight = 600;
  int WindowWidth = 800;
  int WindowHeight = 600;
  bool FullScreen = false;
  bool OnTop = true;
  std::string Caption;
};

// One sprite as the renderer takes it: the source rectangle in texels, the
// destination's top-left corner and size, an angle in degrees (positive turns
// clockwise on the screen) about Center (from the destination's corner), and
// the colour the texels are multiplied by.
struct SpriteCall {
  int SrcX = 0, SrcY = 0, SrcW = 0, SrcH = 0;
  float DstX = 0, DstY = 0, DstW = 0, DstH = 0;
  double AngleDegrees = 0;
  float CenterX = 0, CenterY = 0;
  std::uint8_t Red = 255, Green = 255, Blue = 255, Alpha = 255;
};

class Video {
 public:
  // The window (centred on the primary screen when windowed) and its renderer.
  static std::unique_ptr<Video> Create(const VideoMode& mode, std::string& error);
  ~Video();
  Video(const Video&) = delete;
  Video& operator=(const Video&) = delete;

  bool Clear(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::string& error);
  void Present();
  void DrawSprite(const TextureData& texture, const SpriteCall& call);
  // Clips later draws to the rectangle (back-buffer pixels); Unclip ends it.
  void Clip(int x, int y, int w, int h);
  void Unclip();

  std::unique_ptr<TextureData> CreateTexture(const Image& image, std::string& error);
  // The back buffer as drawn so far, as ARGB words, row by row.
  bool ReadPixels(std::vector<std::uint32_t>& argb, int& width, int& height, std::string& error);
  // The frame on the screen: the one last presented, in the window's pixels
  // (the back buffer as drawn so far before the first present).
  bool ReadScreen(std::vector<std::uint32_t>& argb, int& width, int& height, std::string& error);
  // The frame on the screen as a BMP file.
  bool SaveBmp(const std::filesystem::path& file, std::string& error);
  // What the window shows since the last Present, the same pixels a
  // screenshot holds: the window's own when they are 0x00RRGGBB words
  // (valid until the next draw), otherwise a copy in scratch.
  bool WindowPicture(PictureView& picture, std::vector<std::uint32_t>& scratch, std::string& error);

  int BufferWidth() const { return mode_.BufferWidth; }
  int BufferHeight() const { return mode_.BufferHeight; }
  bool FullScreen() const { return mode_.FullScreen; }
  bool SetFullScreen(bool fullScreen, std::string& error);
  void SetCaption(const std::string& caption);
  void SetKeyboardGrab(bool grab);
  std::uint32_t WindowId() const;
  // The window's outer top-left corner (title bar and border included) and
  // its client area's corner, in screen pixels.
  void OuterPosition(int& x, int& y) const;
  void ClientPosition(int& x, int& y) const;
  void SetClientPosition(int x, int y);
  std::string RendererName() const;
  // A mouse position from the window in back-buffer pixels (in place).
  void WindowToBuffer(int& x, int& y) const;

 private:
  Video() = default;
  // Draws the sprite into the software canvas itself: turned sprites always
  // (SDL turns each one through temporary surfaces), tinted unturned ones
  // with SDL's exact result. False leaves the sprite to SDL.
  bool BlendOnCanvas(const TextureData& texture, const SpriteCall& call);
  bool ReadCanvas(std::vector<std::uint32_t>& argb, int& width, int& height, std::string& error);
  bool ReadWindowSurface(std::vector<std::uint32_t>& argb, int& width, int& height, std::string& error);
  // The renderer's window buffer in the window's own pixels.
  bool ReadRendererOutput(std::vector<std::uint32_t>& argb, int& width, int& height, std::string& error);
  // A frame texture put on the renderer's window buffer as a present puts it.
  bool ReadFrame(SDL_Texture* frame, std::vector<std::uint32_t>& argb, int& width, int& height,
                 std::string& error);
  bool MakeFrameTextures();
  void DrawIntoFrame();
  VideoMode mode_;
  // A renderer's back buffer is undefined once presented, so an accelerated
  // renderer draws each frame into a texture of the back buffer's size and
  // copies it to the window at the present; the texture last presented is
  // kept, and read back only when a screenshot asks for it. Where the
  // renderer has no such textures, the frame is read back before each
  // present instead (the canvas's window keeps its own).
  bool presented_ = false;
  struct TextureDeleter {
    void operator()(SDL_Texture* texture) const;
  };
  std::unique_ptr<SDL_Texture, TextureDeleter> drawing_, onScreen_;
  std::vector<std::uint32_t> shown_;
  int shownWidth_ = 0, shownHeight_ = 0;
  bool clipped_ = false;
  PixelBox clip_;                          // where draws may go, in back-buffer pixels
  std::vector<std::uint32_t> rowScratch_;  // for turned sprites on the canvas
  std::shared_ptr<RendererHandle> renderer_;
  struct WindowDeleter {
    void operator()(SDL_Window* window) const;
  };
  std::unique_ptr<SDL_Window, WindowDeleter> window_;
};

// Lets the operating system's window events into the queue (kept for the
// next input sample) without handling them; for the frame limiter's wait.
void PumpOsEvents();

}  // namespace quillon::platform
