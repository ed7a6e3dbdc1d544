// The window: the play field scaled into it with its shape kept, black bars around it.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/sdl_internal.hpp"

namespace vormelda::sdl {

namespace {

// Room left for the caption bar and the frame the window manager adds.
constexpr int kFrameAllowanceX = 8;
constexpr int kFrameAllowanceY = 40;

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + ": " + SDL_GetError());
}

int OpeningScale(const SdlOptions& options) {
  if (options.windowScale > 0) return options.windowScale;
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
  const int scale = std::min((usable.w - kFrameAllowanceX) / kFieldWidth,
                             (usable.h - kFrameAllowanceY) / kFieldHeight);
  return std::max(1, scale);
}

}  // namespace

Window::Window(const SdlOptions& options) {
  const int scale = OpeningScale(options);
  window_.reset(SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED_DISPLAY(0),
                                 SDL_WINDOWPOS_CENTERED_DISPLAY(0), kFieldWidth * scale,
                                 kFieldHeight * scale, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE));
  if (!window_) Fail("Cannot create the window");

  // Pixels stay sharp when scaled.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  // No vertical sync: the frame loop keeps its own time.
  renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_ACCELERATED));
  if (!renderer_) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
  if (!renderer_) Fail("Cannot create a renderer for the window");
  // Making a renderer may replace the system's window, which forgets its hints: set them after.
  SDL_SetWindowMinimumSize(window_.get(), kFieldWidth / 2, kFieldHeight / 2);
  EnsureTexture(kFieldWidth, kFieldHeight);
}

void Window::EnsureTexture(int width, int height) {
  if (texture_ && width == textureWidth_ && height == textureHeight_) return;
  texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_ARGB8888,
                                   SDL_TEXTUREACCESS_STREAMING, width, height));
  if (!texture_) Fail("Cannot create the play field texture");
  textureWidth_ = width;
  textureHeight_ = height;
  haveFrame_ = false;
  // The renderer letterboxes the field into whatever size the window has.
  SDL_RenderSetLogicalSize(renderer_.get(), width, height);
}

void Window::Show() {
  SDL_ShowWindow(window_.get());
  SDL_RaiseWindow(window_.get());
  shown_ = true;
  Repaint();
}

void Window::SetCaption(const std::string& utf8) {
  SDL_SetWindowTitle(window_.get(), utf8.c_str());
}

void Window::SetFieldVisible(bool visible) {
  if (visible == fieldVisible_) return;
  fieldVisible_ = visible;
  if (shown_) Repaint();
}

void Window::Present(const Surface& field) {
  if (!field.Empty()) {
    EnsureTexture(field.Width(), field.Height());
    if (SDL_UpdateTexture(texture_.get(), nullptr, field.Pixels().data(),
                          field.Width() * static_cast<int>(sizeof(uint32_t))) == 0) {
      haveFrame_ = true;
    }
  }
  Repaint();
}

void Window::Repaint() {
  SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
  SDL_RenderClear(renderer_.get());
  if (fieldVisible_ && haveFrame_)
    SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
  SDL_RenderPresent(renderer_.get());
}

void Window::ToggleFullscreen() {
  const bool full = (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  SDL_SetWindowFullscreen(window_.get(), full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  Repaint();
}

void Window::OnDeviceReset() {
  const int width = textureWidth_;
  const int height = textureHeight_;
  texture_.reset();
  EnsureTexture(width, height);  // empty until the next frame arrives
  Repaint();
}

}  // namespace vormelda::sdl
