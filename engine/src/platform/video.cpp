#include "platform/video.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "platform/software_canvas.h"
#include "platform/sprite_blend.h"
#include "platform/texture_data.h"
#include "quillon/numbers.h"

namespace quillon::platform {

RendererHandle::~RendererHandle() {
  if (Renderer) SDL_DestroyRenderer(Renderer);
  if (Canvas) SDL_FreeSurface(Canvas);
}

TextureData::~TextureData() {
  // A renderer that is gone took its textures with it.
  if (texture_ && !owner_.expired()) SDL_DestroyTexture(texture_);
}

SDL_Texture* TextureData::For(const RendererHandle& renderer) const {
  auto owner = owner_.lock();
  return owner.get() == &renderer ? texture_ : nullptr;
}

std::unique_ptr<VideoSystem> VideoSystem::Acquire(std::string& error) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = SDL_GetError();
    return nullptr;
  }
  return std::unique_ptr<VideoSystem>(new VideoSystem());
}

VideoSystem::~VideoSystem() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

bool VideoSystem::Headless() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver) driver = std::getenv("SDL_VIDEODRIVER");
  if (!driver) return !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY");
  return std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0;
}

void Video::WindowDeleter::operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }

void Video::TextureDeleter::operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }

namespace {

int Centred(int screen, int window) { return vb::CLng((screen - window) / 2.0).value_or(0); }

// A window centred on the desktop's usable area; one larger than that area
// is shrunk to fit it, keeping its shape, rather than hanging off the screen.
void PlaceWindow(int& x, int& y, int& w, int& h) {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0 || w <= 0 || h <= 0)
    return;
  if (w > usable.w || h > usable.h) {
    const double scale = std::min(static_cast<double>(usable.w) / w, static_cast<double>(usable.h) / h);
    w = std::max(1, static_cast<int>(w * scale));
    h = std::max(1, static_cast<int>(h * scale));
  }
  x = usable.x + Centred(usable.w, w);
  y = usable.y + Centred(usable.h, h);
}

// Full screen at the back buffer's size: the display mode closest to it.
bool EnterFullScreen(SDL_Window* window, int width, int height, std::string& error) {
  SDL_DisplayMode wanted{SDL_PIXELFORMAT_RGB888, width, height, 0, nullptr};
  SDL_DisplayMode closest;
  if (!SDL_GetClosestDisplayMode(0, &wanted, &closest)) {
    error = "no display mode for " + std::to_string(width) + "x" + std::to_string(height);
    return false;
  }
  if (SDL_SetWindowDisplayMode(window, &closest) != 0 ||
      SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0) {
    error = SDL_GetError();
    return false;
  }
  return true;
}

bool IsSoftware(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  return SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

// An OpenGL renderer that Mesa rasterizes on the processor (no graphics
// card) costs about three times the engine's own canvas for a game frame,
// so the canvas takes over then, unless the user named a renderer.
bool RasterizedOnProcessor(SDL_Renderer* renderer) {
  if (SDL_GetHint(SDL_HINT_RENDER_DRIVER)) return false;
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
  // The renderer's context is current once it is made.
  using GetString = const unsigned char* (*)(unsigned int);
  constexpr unsigned int kGlRenderer = 0x1F01;
  auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
  if (!name) return false;
  std::string lower(reinterpret_cast<const char*>(name));
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* software : {"llvmpipe", "softpipe", "software rasterizer"}) {
    if (lower.find(software) != std::string::npos) return true;
  }
  return false;
}

// Without a graphics card the frame is drawn on a canvas of the back
// buffer's size and scaled to the window once per frame, rather than every
// sprite being scaled on its own; the engine can then also copy sprites
// into it itself.
std::shared_ptr<RendererHandle> SoftwareRenderer(SDL_Renderer* windowRenderer, const VideoMode& mode,
                                                 std::string& error) {
  SDL_DestroyRenderer(windowRenderer);
  // The canvas goes to the window as a plain picture: sent through OpenGL
  // instead it would cost a software rasterizer more than the frame itself.
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  SDL_Surface* canvas = CreateCanvas(mode.BufferWidth, mode.BufferHeight, error);
  if (!canvas) return nullptr;
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(canvas);
  if (!renderer) {
    error = SDL_GetError();
    SDL_FreeSurface(canvas);
    return nullptr;
  }
  return std::make_shared<RendererHandle>(renderer, canvas);
}

// The integer corner SDL's software renderer would use, when the sprite is
// near enough to the screen for that to mean anything.
bool PixelCorner(float x, float y, int& px, int& py) {
  constexpr float kFar = 1 << 24;
  if (!(std::fabs(x) < kFar && std::fabs(y) < kFar)) return false;
  px = static_cast<int>(x);
  py = static_cast<int>(y);
  return true;
}

}  // namespace

std::unique_ptr<Video> Video::Create(const VideoMode& mode, std::string& error) {
  std::unique_ptr<Video> video(new Video());
  video->mode_ = mode;
  video->clip_ = PixelBox{0, 0, mode.BufferWidth, mode.BufferHeight};
  int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  int w = mode.FullScreen ? mode.BufferWidth : mode.WindowWidth;
  int h = mode.FullScreen ? mode.BufferHeight : mode.WindowHeight;
  if (!mode.FullScreen) PlaceWindow(x, y, w, h);
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
  if (!mode.FullScreen && mode.OnTop) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  video->window_.reset(SDL_CreateWindow(mode.Caption.c_str(), x, y, w, h, flags));
  SDL_Window* window = video->window_.get();
  if (!window) {
    error = SDL_GetError();
    return nullptr;
  }
  if (mode.FullScreen && !EnterFullScreen(window, mode.BufferWidth, mode.BufferHeight, error)) return nullptr;

  // Frames keep the host's own pacing: never wait for the display.
  SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer) {
    error = SDL_GetError();
    return nullptr;
  }
  if (IsSoftware(renderer) || RasterizedOnProcessor(renderer)) {
    video->renderer_ = SoftwareRenderer(renderer, mode, error);
    if (!video->renderer_) return nullptr;
    renderer = video->renderer_->Renderer;
  } else {
    video->renderer_ = std::make_shared<RendererHandle>(renderer);
    SDL_RenderSetLogicalSize(renderer, mode.BufferWidth, mode.BufferHeight);
    video->MakeFrameTextures();
  }
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  SDL_ShowWindow(window);
  if (mode.FullScreen) SDL_SetWindowKeyboardGrab(window, SDL_TRUE);
  return video;
}

Video::~Video() {
  drawing_.reset();  // before the renderer they belong to
  onScreen_.reset();
  renderer_.reset();  // before the window it draws into
  window_.reset();
}

bool Video::Clear(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::string& error) {
  SDL_Renderer* r = renderer_->Renderer;
  if (SDL_SetRenderDrawColor(r, red, green, blue, 255) != 0 || SDL_RenderClear(r) != 0) {
    error = SDL_GetError();
    return false;
  }
  return true;
}

bool Video::MakeFrameTextures() {
  SDL_Renderer* r = renderer_->Renderer;
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(r, &info) != 0 || (info.flags & SDL_RENDERER_TARGETTEXTURE) == 0) return false;
  for (auto* frame : {&onScreen_, &drawing_}) {
    frame->reset(SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, mode_.BufferWidth,
                                   mode_.BufferHeight));
    // The frame covers the window's picture whole: no blending with what was there.
    const bool ok = *frame && SDL_SetTextureBlendMode(frame->get(), SDL_BLENDMODE_NONE) == 0 &&
                    SDL_SetRenderTarget(r, frame->get()) == 0 &&
                    SDL_SetRenderDrawColor(r, 0, 0, 0, 255) == 0 && SDL_RenderClear(r) == 0;
    if (!ok) {
      SDL_SetRenderTarget(r, nullptr);
      drawing_.reset();
      onScreen_.reset();
      return false;
    }
  }
  DrawIntoFrame();
  return true;
}

void Video::DrawIntoFrame() {
  SDL_Renderer* r = renderer_->Renderer;
  SDL_SetRenderTarget(r, drawing_.get());
  // Each render target starts unclipped: a clip set before carries over.
  if (clipped_) {
    const SDL_Rect rect{clip_.X, clip_.Y, clip_.W, clip_.H};
    SDL_RenderSetClipRect(r, &rect);
  }
}

void Video::Present() {
  std::string error;
  SDL_Renderer* r = renderer_->Renderer;
  if (drawing_) {
    // The window's buffer takes the frame scaled to the window (black
    // borders where the shapes differ); the frame itself is kept.
    SDL_SetRenderTarget(r, nullptr);
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderClear(r);
    SDL_RenderCopy(r, drawing_.get(), nullptr, nullptr);
    SDL_RenderPresent(r);
    std::swap(drawing_, onScreen_);
    DrawIntoFrame();
  } else {
    if (!renderer_->Canvas) ReadRendererOutput(shown_, shownWidth_, shownHeight_, error);
    SDL_RenderPresent(r);
    if (renderer_->Canvas) ShowCanvas(renderer_->Canvas, window_.get(), true, error);
  }
  presented_ = true;
}

bool Video::BlendOnCanvas(const TextureData& texture, const SpriteCall& call) {
  SDL_Surface* canvas = renderer_->Canvas;
  if (!canvas || texture.Argb().empty()) return false;
  const bool turned = call.AngleDegrees != 0 || call.DstW < 0 || call.DstH < 0;
  // Untinted, opaque, unturned draws keep SDL's own blitter, which is fast
  // for them, and so do unturned scaled ones (SDL's sampling of a scaled
  // copy is its own).
  const bool modulated = (call.Red & call.Green & call.Blue & call.Alpha) != 0xFF;
  const bool sameSize =
      call.DstW == static_cast<float>(call.SrcW) && call.DstH == static_cast<float>(call.SrcH);
  int x = 0, y = 0;
  if (!turned && (!modulated || !sameSize || !PixelCorner(call.DstX, call.DstY, x, y))) return false;
  // What SDL still has queued lies beneath this sprite.
  SDL_RenderFlush(renderer_->Renderer);
  const BlendTarget target{static_cast<std::uint32_t*>(canvas->pixels), canvas->pitch / 4, clip_};
  const BlendSource source{texture.Argb().data(), texture.Width(), texture.Height()};
  const PixelBox srcRect{call.SrcX, call.SrcY, call.SrcW, call.SrcH};
  const BlendColour colour{call.Red, call.Green, call.Blue, call.Alpha};
  if (turned) {
    const TurnedPlacement place{call.DstX,         call.DstY,    call.DstW,   call.DstH,
                                call.AngleDegrees, call.CenterX, call.CenterY};
    BlendTurnedSprite(target, source, srcRect, place, colour, rowScratch_);
  } else {
    BlendSprite(target, source, srcRect, x, y, colour);
  }
  return true;
}

void Video::DrawSprite(const TextureData& texture, const SpriteCall& call) {
  SDL_Texture* tex = texture.For(*renderer_);
  if (!tex || call.SrcW <= 0 || call.SrcH <= 0 || call.DstW == 0 || call.DstH == 0) return;
  if (BlendOnCanvas(texture, call)) return;
  SDL_SetTextureColorMod(tex, call.Red, call.Green, call.Blue);
  SDL_SetTextureAlphaMod(tex, call.Alpha);
  const SDL_Rect src{call.SrcX, call.SrcY, call.SrcW, call.SrcH};
  SDL_FRect dst{call.DstX, call.DstY, call.DstW, call.DstH};
  SDL_FPoint center{call.CenterX, call.CenterY};
  int flip = SDL_FLIP_NONE;
  // A negative size mirrors the sprite about its corner: SDL wants a
  // positive size and a flip, with the centre kept at the same place.
  if (dst.w < 0) {
    dst.x += dst.w;
    center.x -= dst.w;
    dst.w = -dst.w;
    flip |= SDL_FLIP_HORIZONTAL;
  }
  if (dst.h < 0) {
    dst.y += dst.h;
    center.y -= dst.h;
    dst.h = -dst.h;
    flip |= SDL_FLIP_VERTICAL;
  }
  SDL_Renderer* r = renderer_->Renderer;
  // Unturned sprites stay off the rotation path, which is much slower.
  if (call.AngleDegrees == 0 && flip == SDL_FLIP_NONE) {
    SDL_RenderCopyF(r, tex, &src, &dst);
  } else {
    SDL_RenderCopyExF(r, tex, &src, &dst, call.AngleDegrees, &center, static_cast<SDL_RendererFlip>(flip));
  }
}

void Video::Clip(int x, int y, int w, int h) {
  const SDL_Rect whole{0, 0, mode_.BufferWidth, mode_.BufferHeight};
  const SDL_Rect rect{x, y, w, h};
  SDL_Rect inside{0, 0, 0, 0};
  SDL_IntersectRect(&rect, &whole, &inside);
  clip_ = PixelBox{inside.x, inside.y, inside.w, inside.h};
  clipped_ = true;
  SDL_RenderSetClipRect(renderer_->Renderer, &inside);
}

void Video::Unclip() {
  SDL_RenderSetClipRect(renderer_->Renderer, nullptr);
  clip_ = PixelBox{0, 0, mode_.BufferWidth, mode_.BufferHeight};
  clipped_ = false;
}

std::unique_ptr<TextureData> Video::CreateTexture(const Image& image, std::string& error) {
  SDL_Renderer* r = renderer_->Renderer;
  SDL_Texture* tex =
      SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, image.Width, image.Height);
  if (!tex) {
    error = SDL_GetError();
    return nullptr;
  }
  // ARGB words are what both the software and the OpenGL renderers blit fastest.
  std::vector<std::uint32_t> argb(static_cast<std::size_t>(image.Width) * image.Height);
  for (std::size_t i = 0; i < argb.size(); ++i) {
    const std::uint8_t* p = &image.Rgba[i * 4];
    argb[i] = (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
  }
  const bool ok = SDL_UpdateTexture(tex, nullptr, argb.data(), image.Width * 4) == 0 &&
                  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND) == 0;
  if (!ok) error = SDL_GetError();
  // The canvas's own sprite copies read the texels from here.
  if (!renderer_->Canvas) argb.clear();
  auto data = std::make_unique<TextureData>(renderer_, tex, image.Width, image.Height, std::move(argb));
  return ok ? std::move(data) : nullptr;
}

bool Video::ReadPixels(std::vector<std::uint32_t>& argb, int& width, int& height, std::string& error) {
  if (renderer_->Canvas) return ReadCanvas(argb, width, height, error);
  if (drawing_) return ReadFrame(drawing_.get(), argb, width, height, error);
  return ReadRendererOutput(argb, width, height, error);
}

bool Video::ReadFrame(SDL_Texture* frame, std::vector<std::uint32_t>& argb, int& width, int& height,
                      std::string& error) {
  // The window's buffer is free between presents: everything is drawn into
  // the frame textures, and the next present clears it again.
  SDL_Renderer* r = renderer_->Renderer;
  SDL_SetRenderTarget(r, nullptr);
  SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
  bool ok = SDL_RenderClear(r) == 0 && SDL_RenderCopy(r, frame, nullptr, nullptr) == 0;
  if (!ok) error = SDL_GetError();
  ok = ok && ReadRendererOutput(argb, width, height, error);
  DrawIntoFrame();
  return ok;
}

bool Video::ReadRendererOutput(std::vector<std::uint32_t>& argb, int& width, int& height,
                               std::string& error) {
  SDL_Renderer* r = renderer_->Renderer;
  // The whole window in its own pixels: the logical scaling is lifted for the read.
  SDL_RenderSetLogicalSize(r, 0, 0);
  SDL_RenderSetScale(r, 1, 1);
  SDL_RenderSetViewport(r, nullptr);
  bool ok = SDL_GetRendererOutputSize(r, &width, &height) == 0;
  if (ok) {
    argb.assign(static_cast<std::size_t>(width) * height, 0);
    ok = SDL_RenderReadPixels(r, nullptr, SDL_PIXELFORMAT_ARGB8888, argb.data(), width * 4) == 0;
  }
  if (!ok) error = SDL_GetError();
  SDL_RenderSetLogicalSize(r, mode_.BufferWidth, mode_.BufferHeight);
  return ok;
}

bool Video::ReadCanvas(std::vector<std::uint32_t>& argb, int& width, int& height, std::string& error) {
  SDL_RenderFlush(renderer_->Renderer);
  if (!ShowCanvas(renderer_->Canvas, window_.get(), false, error)) return false;
  return ReadWindowSurface(argb, width, height, error);
}

bool Video::ReadScreen(std::vector<std::uint32_t>& argb, int& width, int& height, std::string& error) {
  if (!presented_) return ReadPixels(argb, width, height, error);
  if (renderer_->Canvas) return ReadWindowSurface(argb, width, height, error);
  if (onScreen_) return ReadFrame(onScreen_.get(), argb, width, height, error);
  if (shown_.empty()) {
    error = "the frame on the screen could not be read";
    return false;
  }
  argb = shown_;
  width = shownWidth_;
  height = shownHeight_;
  return true;
}

bool Video::ReadWindowSurface(std::vector<std::uint32_t>& argb, int& width, int& height, std::string& error) {
  SDL_Surface* screen = SDL_GetWindowSurface(window_.get());
  if (!screen) {
    error = SDL_GetError();
    return false;
  }
  width = screen->w;
  height = screen->h;
  argb.assign(static_cast<std::size_t>(width) * height, 0);
  if (SDL_ConvertPixels(width, height, screen->format->format, screen->pixels, screen->pitch,
                        SDL_PIXELFORMAT_ARGB8888, argb.data(), width * 4) != 0) {
    error = SDL_GetError();
    return false;
  }
  return true;
}

bool Video::WindowPicture(PictureView& picture, std::vector<std::uint32_t>& scratch, std::string& error) {
  SDL_Surface* screen = renderer_->Canvas ? SDL_GetWindowSurface(window_.get()) : nullptr;
  if (screen && screen->format->format == SDL_PIXELFORMAT_RGB888 && screen->pitch % 4 == 0) {
    picture = PictureView{static_cast<const std::uint32_t*>(screen->pixels), screen->w, screen->h,
                          screen->pitch / 4};
    return true;
  }
  int width = 0, height = 0;
  if (!ReadScreen(scratch, width, height, error)) return false;
  picture = PictureView{scratch.data(), width, height, width};
  return true;
}

bool Video::SaveBmp(const std::filesystem::path& file, std::string& error) {
  std::vector<std::uint32_t> argb;
  int w = 0, h = 0;
  if (!ReadScreen(argb, w, h, error)) return false;
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(argb.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_RGB888);
  if (!surface) {
    error = SDL_GetError();
    return false;
  }
  // Written beside the target and renamed, so no half-written picture is left.
  std::filesystem::path temp = file;
  temp += ".part";
  bool ok = SDL_SaveBMP(surface, temp.string().c_str()) == 0;
  if (!ok) error = SDL_GetError();
  SDL_FreeSurface(surface);
  if (ok) {
    std::error_code ec;
    std::filesystem::rename(temp, file, ec);
    if (ec) {
      error = ec.message();
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  return ok;
}

bool Video::SetFullScreen(bool fullScreen, std::string& error) {
  SDL_Window* window = window_.get();
  if (fullScreen == mode_.FullScreen) return true;
  if (fullScreen) {
    if (!EnterFullScreen(window, mode_.BufferWidth, mode_.BufferHeight, error)) return false;
  } else if (SDL_SetWindowFullscreen(window, 0) != 0) {
    error = SDL_GetError();
    return false;
  } else {
    SDL_SetWindowSize(window, mode_.WindowWidth, mode_.WindowHeight);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  mode_.FullScreen = fullScreen;
  SDL_SetWindowKeyboardGrab(window, fullScreen ? SDL_TRUE : SDL_FALSE);
  return true;
}

void Video::SetCaption(const std::string& caption) {
  mode_.Caption = caption;
  SDL_SetWindowTitle(window_.get(), caption.c_str());
}

void Video::SetKeyboardGrab(bool grab) {
  SDL_SetWindowKeyboardGrab(window_.get(), grab ? SDL_TRUE : SDL_FALSE);
}

std::uint32_t Video::WindowId() const { return SDL_GetWindowID(window_.get()); }

void Video::OuterPosition(int& x, int& y) const {
  ClientPosition(x, y);
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window_.get(), &top, &left, &bottom, &right) == 0) {
    x -= left;
    y -= top;
  }
}

void Video::ClientPosition(int& x, int& y) const { SDL_GetWindowPosition(window_.get(), &x, &y); }

void Video::SetClientPosition(int x, int y) { SDL_SetWindowPosition(window_.get(), x, y); }

void Video::WindowToBuffer(int& x, int& y) const {
  // A renderer with a logical size does this to the events itself.
  if (renderer_->Canvas) WindowToCanvas(renderer_->Canvas, window_.get(), x, y);
}

std::string Video::RendererName() const {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer_->Renderer, &info) != 0) return "";
  return info.name;
}

void PumpOsEvents() { SDL_PumpEvents(); }

}  // namespace quillon::platform
