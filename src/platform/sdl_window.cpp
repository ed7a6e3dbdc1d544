// The window: the play field scaled into it by the largest whole number that fits, centred on
// black (or, switched with F10, as large as fits with its shape kept), dimmed under the word
// PAUSED while the game is paused.
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "platform/files.hpp"
#include "platform/sdl_internal.hpp"
#include "platform/window_layout.hpp"

namespace vormelda::sdl {

namespace {

constexpr size_t kIconFileLimit = 1024 * 1024;

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + ": " + SDL_GetError());
}

// The window's size at the start: the scale the command line asks for; else the size, or the
// scale, the player left it at; else the largest whole-number scale that fits the display.
Point SizeToOpenAt(const SdlOptions& options) {
  const Settings::Window& saved = options.settings.window;
  int scale = options.windowScale > 0 ? options.windowScale : saved.scale;
  if (options.windowScale == 0 && saved.width > 0 && saved.height > 0) {
    return {saved.width, saved.height};
  }
  if (scale == 0) {
    SDL_Rect usable{};
    scale = SDL_GetDisplayUsableBounds(0, &usable) == 0 ? OpeningScale(usable.w, usable.h) : 1;
  }
  return {kFieldWidth * scale, kFieldHeight * scale};
}

// A window opened at one pixel per field pixel only copies the field: SDL's software renderer
// does that with less work than an upload to the GPU, and spares the start of a GL driver (0.15
// to 0.2 s, or a software GL's threads where there is no GPU). A window that opens larger, or in
// full screen, scales on the GPU. A renderer the player names in SDL_RENDER_DRIVER is used as is.
bool CopiedAtNaturalSize(Point size, bool fullscreen) {
  return size == Point{kFieldWidth, kFieldHeight} && !fullscreen &&
         SDL_GetHint(SDL_HINT_RENDER_DRIVER) == nullptr;
}

// The icon keeps its transparency, so it is read by the image library itself.
void SetIcon(SDL_Window* window, const std::string& file) {
  if (file.empty()) return;
  const FileContent icon = ReadWholeFile(file, kIconFileLimit);
  if (!icon.ok) return;
  const SurfacePtr picture(
      IMG_Load_RW(SDL_RWFromConstMem(icon.bytes.data(), static_cast<int>(icon.bytes.size())), 1));
  if (picture) SDL_SetWindowIcon(window, picture.get());
}

// The letters of PAUSED, 5 x 7 cells each, a row a byte from the top (bit 4 the left cell).
constexpr uint8_t kLetters[6][7] = {
    {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10},  // P
    {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11},  // A
    {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E},  // U
    {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E},  // S
    {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F},  // E
    {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E},  // D
};

}  // namespace

Window::Window(const SdlOptions& options) : scaling_(options.settings.window.scaling) {
  const Point size = SizeToOpenAt(options);
  const bool fullscreen = options.fullscreen || options.settings.window.fullscreen;
  if (options.windowScale == 0) {
    width_ = options.settings.window.width;
    height_ = options.settings.window.height;
  }
  window_.reset(SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED_DISPLAY(0),
                                 SDL_WINDOWPOS_CENTERED_DISPLAY(0), size.x, size.y,
                                 SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE));
  if (!window_) Fail("Cannot create the window");

  // Pixels stay sharp when scaled.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  // No vertical sync: the frame loop keeps its own time.
  Uint32 preferred = SDL_RENDERER_ACCELERATED;
  if (CopiedAtNaturalSize(size, fullscreen)) {
    preferred = SDL_RENDERER_SOFTWARE;
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");  // the window's own pixels, not GL's
  }
  renderer_.reset(SDL_CreateRenderer(window_.get(), -1, preferred));
  if (!renderer_) {
    const Uint32 other =
        preferred == SDL_RENDERER_SOFTWARE ? SDL_RENDERER_ACCELERATED : SDL_RENDERER_SOFTWARE;
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, other));
  }
  if (!renderer_) Fail("Cannot create a renderer for the window");
  // Making a renderer may replace the system's window, which forgets its hints: set them after.
  SDL_SetWindowMinimumSize(window_.get(), kFieldWidth / 2, kFieldHeight / 2);
  SetIcon(window_.get(), options.iconFile);
  EnsureTexture(kFieldWidth, kFieldHeight);
  if (fullscreen) ToggleFullscreen();
}

Window::~Window() {
  texture_.reset();
  renderer_.reset();
  window_.reset();
  WindowGone();
}

void Window::EnsureTexture(int width, int height) {
  if (texture_ && width == textureWidth_ && height == textureHeight_) return;
  texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_ARGB8888,
                                   SDL_TEXTUREACCESS_STREAMING, width, height));
  if (!texture_) Fail("Cannot create the play field texture");
  textureWidth_ = width;
  textureHeight_ = height;
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
      lastField_ = &field;
    }
  }
  Repaint();
}

Scaling Window::ScalingNow() const {
  if (scaling_) return *scaling_;
  int width = 0, height = 0;
  SDL_GetRendererOutputSize(renderer_.get(), &width, &height);
  return DefaultScaling(width, height, textureWidth_, textureHeight_);
}

SDL_Rect Window::FieldRect() const {
  int width = 0, height = 0;
  SDL_GetRendererOutputSize(renderer_.get(), &width, &height);
  const Rect r = FieldPlacement(width, height, textureWidth_, textureHeight_, ScalingNow());
  return {r.x, r.y, r.w, r.h};
}

void Window::CopyField(const SDL_Rect& field) {
  const Scaling scaling = ScalingNow();
  const Rect placement{field.x, field.y, field.w, field.h};
  const int k = SharpEnlargement(placement, textureWidth_, textureHeight_);
  SDL_Texture* shown = texture_.get();
  SDL_SetTextureScaleMode(shown,
                          scaling == Scaling::Sharp ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
  // Sharp fill: first enlarged by a whole number with the nearest pixels, then shrunk with
  // filtering, so that no pixel is wider than its neighbours and no blur wider than one seam.
  if (scaling == Scaling::SharpFill && k > 1 && SDL_RenderTargetSupported(renderer_.get())) {
    int w = 0, h = 0;
    if (enlarged_) SDL_QueryTexture(enlarged_.get(), nullptr, nullptr, &w, &h);
    if (w != textureWidth_ * k || h != textureHeight_ * k) {
      enlarged_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_ARGB8888,
                                        SDL_TEXTUREACCESS_TARGET, textureWidth_ * k,
                                        textureHeight_ * k));
    }
    if (enlarged_ && SDL_SetRenderTarget(renderer_.get(), enlarged_.get()) == 0) {
      SDL_SetTextureScaleMode(shown, SDL_ScaleModeNearest);
      SDL_SetTextureColorMod(shown, 255, 255, 255);
      SDL_RenderCopy(renderer_.get(), shown, nullptr, nullptr);
      SDL_SetRenderTarget(renderer_.get(), nullptr);
      shown = enlarged_.get();
      SDL_SetTextureScaleMode(shown, SDL_ScaleModeLinear);
    }
  }
  const Uint8 light = paused_ ? 96 : 255;
  SDL_SetTextureColorMod(shown, light, light, light);
  SDL_RenderCopy(renderer_.get(), shown, nullptr, &field);
}

void Window::Repaint() {
  SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
  SDL_RenderClear(renderer_.get());
  if (fieldVisible_ && lastField_ != nullptr) {
    const SDL_Rect field = FieldRect();
    CopyField(field);
    if (paused_) DrawPausedWord(field);
  }
  SDL_RenderPresent(renderer_.get());
}

void Window::DrawPausedWord(const SDL_Rect& field) {
  // Cells of a fifth of a letter's width: the word takes about half the field's width.
  const int cell = std::max(1, field.w / 70);
  const int wordWidth = (6 * 6 - 1) * cell;
  const int left = field.x + (field.w - wordWidth) / 2;
  const int top = field.y + (field.h - 7 * cell) / 2;
  for (int shade = 1; shade >= 0; --shade) {  // a dark shadow, then the letters
    const Uint8 c = shade != 0 ? 0 : 255;
    SDL_SetRenderDrawColor(renderer_.get(), c, c, c, 255);
    const int offset = shade != 0 ? std::max(1, cell / 3) : 0;
    for (int letter = 0; letter < 6; ++letter) {
      for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 5; ++col) {
          if ((kLetters[letter][row] >> (4 - col) & 1) == 0) continue;
          const SDL_Rect r{left + (letter * 6 + col) * cell + offset, top + row * cell + offset,
                           cell, cell};
          SDL_RenderFillRect(renderer_.get(), &r);
        }
      }
    }
  }
}

void Window::ToggleFullscreen() {
  SDL_Window* window = window_.get();
  if (!fullscreen_) SDL_GetWindowSize(window, &width_, &height_);  // the window's, kept
  if (WindowManaged(window)) {
    const bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else if (!covering_) {
    SDL_Rect display{};
    if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window)), &display) != 0) return;
    SDL_GetWindowPosition(window, &windowed_.x, &windowed_.y);
    SDL_GetWindowSize(window, &windowed_.w, &windowed_.h);
    SDL_SetWindowPosition(window, display.x, display.y);
    SDL_SetWindowSize(window, display.w, display.h);
    covering_ = true;
  } else {
    SDL_SetWindowSize(window, windowed_.w, windowed_.h);
    SDL_SetWindowPosition(window, windowed_.x, windowed_.y);
    covering_ = false;
  }
  fullscreen_ = !fullscreen_;
  Repaint();
}

void Window::CycleScaling() {
  scaling_ = NextScaling(ScalingNow());
  Repaint();
}

Settings::Window Window::Current() const {
  Settings::Window now;
  now.scaling = scaling_;
  now.fullscreen = fullscreen_;
  if (!fullscreen_ && !covering_) {
    // The size the player gave the window, in the window system's units.
    SDL_GetWindowSize(window_.get(), &now.width, &now.height);
  } else {
    now.width = width_;
    now.height = height_;
  }
  return now;
}

void Window::SetPaused(bool paused) {
  paused_ = paused;
  if (shown_) Repaint();
}

void Window::OnDeviceReset() {
  const int width = textureWidth_;
  const int height = textureHeight_;
  texture_.reset();
  enlarged_.reset();
  EnsureTexture(width, height);
  if (lastField_ != nullptr) Present(*lastField_);
}

bool Window::SaveField(const std::string& path) const {
  if (fieldVisible_ && lastField_ != nullptr) return SavePng(*lastField_, path);
  return SavePng(Surface(textureWidth_, textureHeight_), path);
}

}  // namespace vormelda::sdl
