// The API object, the device's life (context, target, present parameters) and read-back.
#include <SDL.h>

#include <algorithm>
#include <optional>

#include "platform/DisplayGeometry.h"
#include "platform/ProgramMemory.h"
#include "platform/gl/GlGraphicsInternal.h"
#include "platform/gl/GlStagePrograms.h"
#include "platform/gl/PngWriter.h"

namespace tvx {
namespace {

using namespace gfx;

constexpr std::uint32_t kDisplayFormats[] = {format::A8R8G8B8, format::X8R8G8B8, format::R5G6B5};
constexpr std::uint32_t kDefaultWidth = 640;
constexpr std::uint32_t kDefaultHeight = 480;

bool IsDisplayFormat(std::uint32_t fmt) {
  return std::find(std::begin(kDisplayFormats), std::end(kDisplayFormats), fmt) !=
         std::end(kDisplayFormats);
}

GLenum DepthStorageOf(std::uint32_t fmt) {
  switch (fmt) {
    case format::D16:
      return GL_DEPTH_COMPONENT16;
    case format::D24X8:
      return GL_DEPTH_COMPONENT24;
    case format::D24S8:
      return GL_DEPTH24_STENCIL8;
    case format::D32:
      return GL_DEPTH_COMPONENT32;
    default:
      return 0;
  }
}

void SetContextAttributes() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

// The framebuffer objects and the blit come with GL 3.0 or the ARB extension.
bool HasFramebufferObjects() {
  return epoxy_gl_version() >= 30 || epoxy_has_gl_extension("GL_ARB_framebuffer_object");
}

// The window's rows come bottom row first.
void FlipRows(std::vector<std::uint32_t>& pixels, std::uint32_t width, std::uint32_t height) {
  for (std::uint32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(pixels.begin() + std::ptrdiff_t{top} * width,
                     pixels.begin() + std::ptrdiff_t{top + 1} * width,
                     pixels.begin() + std::ptrdiff_t{bottom} * width);
  }
}

}  // namespace

GlGraphicsApi::GlGraphicsApi(SDL_Window* window, GlPresentation presentation)
    : window_(window), presentation_(presentation) {}

GlGraphicsApi::~GlGraphicsApi() { ReleaseDevice(); }

void GlGraphicsApi::OwnWindowCloser::operator()(SDL_Window* window) const {
  SDL_DestroyWindow(window);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void GlGraphicsApi::ContextDeleter::operator()(void* context) const {
  SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
}

std::unique_ptr<GlGraphicsApi> GlGraphicsApi::CreateWithOwnWindow(int width, int height,
                                                                  std::string& error,
                                                                  GlPresentation presentation) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = std::string("SDL video: ") + SDL_GetError();
    return nullptr;
  }
  SetContextAttributes();
  SDL_Window* window = SDL_CreateWindow("Tarvex", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                        width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (window == nullptr) {
    error = std::string("no GL context: ") + SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  std::unique_ptr<SDL_Window, OwnWindowCloser> owned(window);
  const std::unique_ptr<void, ContextDeleter> probe(SDL_GL_CreateContext(window));
  if (probe == nullptr) {
    error = std::string("no GL context: ") + SDL_GetError();
    return nullptr;
  }
  auto api = std::make_unique<GlGraphicsApi>(window, presentation);
  api->ownWindow_ = std::move(owned);
  return api;
}

Result GlGraphicsApi::CreateObject(std::uint32_t sdkVersion) {
  if (sdkVersion != SdkVersion || SDL_WasInit(SDL_INIT_VIDEO) == 0) return Fail;
  objectCreated_ = true;
  return Ok;
}

void GlGraphicsApi::ReleaseObject() { objectCreated_ = false; }

Result GlGraphicsApi::GetAdapterDisplayMode(DisplayMode& mode) {
  SDL_DisplayMode desktop{};
  if (!objectCreated_ || SDL_GetDesktopDisplayMode(0, &desktop) != 0) return Fail;
  mode.width = static_cast<std::uint32_t>(desktop.w);
  mode.height = static_cast<std::uint32_t>(desktop.h);
  mode.refreshRate = static_cast<std::uint32_t>(std::max(desktop.refresh_rate, 0));
  mode.format = format::X8R8G8B8;
  return Ok;
}

// Full screen is desktop full screen, so every mode is the desktop scaled: 640 x 480 first,
// then the desktop's own size, at the desktop's refresh rate.
std::vector<DisplayMode> GlGraphicsApi::ModesOf(std::uint32_t fmt) const {
  SDL_DisplayMode desktop{};
  if (!objectCreated_ || !IsDisplayFormat(fmt) || SDL_GetDesktopDisplayMode(0, &desktop) != 0) {
    return {};
  }
  const auto refresh = static_cast<std::uint32_t>(std::max(desktop.refresh_rate, 0));
  std::vector<DisplayMode> modes{{kDefaultWidth, kDefaultHeight, refresh, fmt}};
  const auto w = static_cast<std::uint32_t>(desktop.w);
  const auto h = static_cast<std::uint32_t>(desktop.h);
  if (w != kDefaultWidth || h != kDefaultHeight) modes.push_back({w, h, refresh, fmt});
  return modes;
}

std::uint32_t GlGraphicsApi::GetAdapterModeCount(std::uint32_t fmt) {
  return static_cast<std::uint32_t>(ModesOf(fmt).size());
}

Result GlGraphicsApi::EnumAdapterModes(std::uint32_t fmt, std::uint32_t index, DisplayMode& mode) {
  const std::vector<DisplayMode> modes = ModesOf(fmt);
  if (index >= modes.size()) return Fail;
  mode = modes[index];
  return Ok;
}

Result GlGraphicsApi::CheckDeviceFormat(std::uint32_t deviceType, std::uint32_t adapterFormat,
                                        std::uint32_t usageFlags, std::uint32_t resourceType,
                                        std::uint32_t checkFormat) {
  if (!objectCreated_ || deviceType != devtype::Hal || !IsDisplayFormat(adapterFormat)) {
    return Fail;
  }
  if (resourceType == rtype::Texture) {
    const bool plainUsage = (usageFlags & ~(usage::AutoGenMipMap | usage::Dynamic)) == 0;
    return plainUsage && gfx::TexelLayoutOf(checkFormat) ? Ok : Fail;
  }
  if (resourceType == rtype::Surface && usageFlags == usage::DepthStencil) {
    return DepthStorageOf(checkFormat) != 0 ? Ok : Fail;
  }
  return Fail;
}

void GlGraphicsApi::PrepareAhead() {
  if (context_ != nullptr || preparedContext_ != nullptr || window_ == nullptr) return;
  SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
  SDL_GLContext previous = SDL_GL_GetCurrentContext();
  SetContextAttributes();
  preparedContext_.reset(SDL_GL_CreateContext(window_));
  if (preparedContext_ != nullptr && HasFramebufferObjects()) WarmPresentBlit();
  SDL_GL_MakeCurrent(previousWindow, previous);
}

// One pixel of an RGBA8 texture blitted, flipped, into the window as Present does at 1:1.
void GlGraphicsApi::WarmPresentBlit() {
  GLuint texture = 0;
  GLuint framebuffer = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
  glGenFramebuffers(1, &framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glBlitFramebuffer(0, 0, 1, 1, 0, 1, 1, 0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  glFinish();
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glDeleteFramebuffers(1, &framebuffer);
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &texture);
}

bool GlGraphicsApi::CreateContext(std::string& error) {
  SetContextAttributes();
  SDL_GLContext context =
      preparedContext_ != nullptr ? preparedContext_.release() : SDL_GL_CreateContext(window_);
  if (context == nullptr) {
    error = SDL_GetError();
    return false;
  }
  if (SDL_GL_MakeCurrent(window_, context) != 0 || !HasFramebufferObjects()) {
    SDL_GL_DeleteContext(context);
    return false;
  }
  context_.reset(context);
  GLint windowAlphaBits = 0;
  glGetIntegerv(GL_ALPHA_BITS, &windowAlphaBits);  // of the window, bound at creation
  // An upper-left clip origin flips y for the window's back buffer inside GL, so that the
  // rasteriser settles edge ties as it does for the offscreen target.
  const bool clipControl =
      epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control");
  windowTargetPossible_ = windowAlphaBits == 0 && clipControl;
  return true;
}

Result GlGraphicsApi::CreateDevice(std::uint32_t deviceType, std::uintptr_t /*focusWindow*/,
                                   std::uint32_t /*behaviorFlags*/, PresentParameters& parameters) {
  if (!objectCreated_ || context_ != nullptr || window_ == nullptr || deviceType != devtype::Hal) {
    return Fail;
  }
  PresentParameters chosen = parameters;
  if (chosen.windowed != 0) {
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    if (chosen.backBufferWidth == 0) chosen.backBufferWidth = static_cast<std::uint32_t>(w);
    if (chosen.backBufferHeight == 0) chosen.backBufferHeight = static_cast<std::uint32_t>(h);
    if (chosen.backBufferFormat == format::Unknown) chosen.backBufferFormat = format::X8R8G8B8;
  }
  std::string error;
  if (!ApplyPresentParameters(chosen) || !CreateContext(error)) return Fail;
  programs_ = std::make_unique<gl::StagePrograms>();
  states_ = std::make_unique<States>();
  if (!CreateTarget(chosen)) {
    ReleaseDevice();
    return Fail;
  }
  ResetStates();
  SDL_GL_SetSwapInterval(chosen.presentationInterval == present::IntervalImmediate ? 0 : 1);
  parameters = chosen;
  parameters_ = chosen;
  return Ok;
}

// Checks the parameters the way D3D does (a full-screen back buffer needs a display mode of
// its size and format) and switches the window between windowed and desktop full screen.
bool GlGraphicsApi::ApplyPresentParameters(const PresentParameters& parameters) {
  if (parameters.backBufferWidth == 0 || parameters.backBufferHeight == 0) return false;
  const bool fullScreen = parameters.windowed == 0;
  if (fullScreen) {
    const std::vector<DisplayMode> modes = ModesOf(parameters.backBufferFormat);
    const bool found = std::any_of(modes.begin(), modes.end(), [&](const DisplayMode& m) {
      return m.width == parameters.backBufferWidth && m.height == parameters.backBufferHeight &&
             (parameters.fullScreenRefreshRate == 0 ||
              m.refreshRate == parameters.fullScreenRefreshRate);
    });
    if (!found) return false;
  }
  if (!presentation_.deviceSetsWindowMode) return true;
  const bool isFullScreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  if (fullScreen != isFullScreen) {
    SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  }
  return true;
}

// A back-buffer format without alpha gets a target without alpha, so that its destination
// alpha reads 1 as D3D's does, in the FBO and in the window alike.
bool GlGraphicsApi::CreateTarget(const PresentParameters& parameters) {
  const std::uint32_t width = parameters.backBufferWidth;
  const std::uint32_t height = parameters.backBufferHeight;
  const std::uint32_t depthFormat =
      parameters.enableAutoDepthStencil != 0 ? parameters.autoDepthStencilFormat : 0;
  const std::optional<PixelFields> layout = gfx::TexelLayoutOf(parameters.backBufferFormat);
  auto target = std::make_unique<Target>();
  target->width = width;
  target->height = height;
  target->hasAlpha = !layout || layout->alphaBits > 0;
  glGenTextures(1, &target->color);
  glBindTexture(GL_TEXTURE_2D, target->color);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, target->hasAlpha ? GL_RGBA8 : GL_RGB8, static_cast<GLsizei>(width),
               static_cast<GLsizei>(height), 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
  glBindTexture(GL_TEXTURE_2D, 0);
  glGenFramebuffers(1, &target->framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, target->framebuffer);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target->color, 0);
  if (depthFormat != 0) {
    const GLenum storage = DepthStorageOf(depthFormat);
    if (storage != 0) {
      glGenRenderbuffers(1, &target->depth);
      glBindRenderbuffer(GL_RENDERBUFFER, target->depth);
      glRenderbufferStorage(GL_RENDERBUFFER, storage, static_cast<GLsizei>(width),
                            static_cast<GLsizei>(height));
      glFramebufferRenderbuffer(
          GL_FRAMEBUFFER,
          storage == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT,
          GL_RENDERBUFFER, target->depth);
    }
  }
  const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE &&
                        (depthFormat == 0 || target->depth != 0);
  target_ = std::move(target);
  if (!complete) {
    ReleaseTarget();
    return false;
  }
  return true;
}

// A target of the window's size without depth or alpha, like the window's own back buffer,
// is drawn straight into that buffer: on a software rasteriser the blit costs as much as a
// frame of sprites. Chosen again after every Present, since the window may change size.
void GlGraphicsApi::PlaceTarget() {
  int drawableWidth = 0;
  int drawableHeight = 0;
  SDL_GL_GetDrawableSize(window_, &drawableWidth, &drawableHeight);
  target_->inWindow = windowTargetPossible_ && !keepOffscreen_ && target_->depth == 0 &&
                      !target_->hasAlpha &&
                      static_cast<std::uint32_t>(drawableWidth) == target_->width &&
                      static_cast<std::uint32_t>(drawableHeight) == target_->height;
  glBindFramebuffer(GL_FRAMEBUFFER, target_->DrawFramebuffer());
  if (windowTargetPossible_) {
    glClipControl(target_->inWindow ? GL_UPPER_LEFT : GL_LOWER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
  }
  glViewport(0, 0, static_cast<GLsizei>(target_->width), static_cast<GLsizei>(target_->height));
  ApplyCullMode();
}

void GlGraphicsApi::KeepTargetOffscreen() {
  keepOffscreen_ = true;
  if (target_) PlaceTarget();
}

bool GlGraphicsApi::DrawsIntoWindow() const { return target_ && target_->inWindow; }

void GlGraphicsApi::ReleaseTarget() {
  if (!target_) return;
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glDeleteFramebuffers(1, &target_->framebuffer);
  glDeleteTextures(1, &target_->color);
  if (target_->depth != 0) glDeleteRenderbuffers(1, &target_->depth);
  target_.reset();
}

void GlGraphicsApi::ReleaseResources() {
  for (auto& entry : textures_) glDeleteTextures(1, &entry.second->id);
  for (auto& entry : buffers_) glDeleteBuffers(1, &entry.second->id);
  textures_.clear();
  buffers_.clear();
}

void GlGraphicsApi::ReleaseDevice() {
  if (context_ == nullptr) return;
  SDL_GL_MakeCurrent(window_, context_.get());
  ReleaseResources();
  ReleaseTarget();
  programs_->Clear();
  programs_.reset();
  states_.reset();
  context_.reset();
  inScene_ = false;
}

Result GlGraphicsApi::GetDeviceCaps(DeviceCaps& caps) {
  if (context_ == nullptr) return Fail;
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  caps.maxTextureWidth = static_cast<std::uint32_t>(maxSize);
  caps.maxTextureHeight = static_cast<std::uint32_t>(maxSize);
  caps.maxPrimitiveCount = 0xFFFFF;
  caps.maxVertexIndex = 0xFFFF;  // 16-bit indices only
  caps.maxTextureStages = 1;     // stage 0 is the one emulated
  return Ok;
}

Result GlGraphicsApi::Clear(std::uint32_t flags, std::uint32_t color, float z,
                            std::uint32_t stencil) {
  if (context_ == nullptr || !target_) return Fail;
  if (!drawing_) return Ok;
  GLbitfield bits = 0;
  if ((flags & clear::Target) != 0) {
    glClearColor(((color >> 16) & 0xFF) / 255.0f, ((color >> 8) & 0xFF) / 255.0f,
                 (color & 0xFF) / 255.0f, (color >> 24) / 255.0f);
    bits |= GL_COLOR_BUFFER_BIT;
  }
  if ((flags & clear::ZBuffer) != 0) {
    if (target_->depth == 0) return Fail;
    glClearDepth(std::clamp(z, 0.0f, 1.0f));
    glClearStencil(static_cast<GLint>(stencil));
    bits |= GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT;
  }
  glClear(bits);
  return Ok;
}

Result GlGraphicsApi::BeginScene() {
  if (context_ == nullptr || !target_ || inScene_) return Fail;
  inScene_ = true;
  return Ok;
}

Result GlGraphicsApi::EndScene() {
  if (context_ == nullptr || !inScene_) return Fail;
  inScene_ = false;
  return Ok;
}

// Black bars around the largest centred rectangle of the target's aspect ratio.
void GlGraphicsApi::BlitTargetToWindow() {
  int drawableWidth = 0;
  int drawableHeight = 0;
  SDL_GL_GetDrawableSize(window_, &drawableWidth, &drawableHeight);
  const auto targetWidth = static_cast<int>(target_->width);
  const auto targetHeight = static_cast<int>(target_->height);
  const PixelRect shown = PresentationRect(targetWidth, targetHeight, drawableWidth, drawableHeight,
                                           presentation_.scale);
  // GL counts rows from the bottom: centred from there, as the picture always was.
  const int bottom = (drawableHeight - shown.height) / 2;

  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, target_->framebuffer);
  // Only bars need clearing; a blit that covers the whole drawable would overwrite them.
  if (shown.width != drawableWidth || shown.height != drawableHeight) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  // The target's top row sits at GL's y = 0, the window's at its top: flip while scaling.
  // Unscaled, nearest gives the same picture for less work; a whole multiple wants it for
  // pixel-exact squares (a window too small for one falls back to a smooth fit).
  const bool unscaled = shown.width == targetWidth && shown.height == targetHeight;
  const bool wholeMultiple = presentation_.scale == ScaleMode::Integer &&
                             shown.width % targetWidth == 0 && shown.height % targetHeight == 0;
  const bool nearest = unscaled || wholeMultiple;
  glBlitFramebuffer(0, 0, targetWidth, targetHeight, shown.x, bottom + shown.height,
                    shown.x + shown.width, bottom, GL_COLOR_BUFFER_BIT,
                    nearest ? GL_NEAREST : GL_LINEAR);
  glBindFramebuffer(GL_FRAMEBUFFER, target_->framebuffer);
}

Result GlGraphicsApi::Present() {
  if (context_ == nullptr || !target_) return Fail;
  if (!drawing_) return Ok;
  if (!target_->inWindow) BlitTargetToWindow();
  SDL_GL_SwapWindow(window_);
  PlaceTarget();
  std::vector<std::uint8_t>().swap(spareCopy_);
  // The lock copies and the driver's shader compiles of a loading frame leave free pages
  // between blocks that stay; they go back to the system once that frame is shown.
  if (uploadedThisFrame_) ReleaseFreedHeap();
  uploadedThisFrame_ = false;
  return Ok;
}

Result GlGraphicsApi::TestCooperativeLevel() { return context_ != nullptr ? Ok : Fail; }

Result GlGraphicsApi::Reset(PresentParameters& parameters) {
  if (context_ == nullptr || inScene_) return Fail;
  PresentParameters chosen = parameters;
  if (chosen.backBufferWidth == 0 && target_) chosen.backBufferWidth = target_->width;
  if (chosen.backBufferHeight == 0 && target_) chosen.backBufferHeight = target_->height;
  if (chosen.windowed != 0 && chosen.backBufferFormat == format::Unknown) {
    chosen.backBufferFormat = format::X8R8G8B8;
  }
  if (!ApplyPresentParameters(chosen)) return Fail;
  ReleaseTarget();
  if (!CreateTarget(chosen)) return Fail;
  *states_ = States{};
  ResetStates();
  SDL_GL_SetSwapInterval(chosen.presentationInterval == present::IntervalImmediate ? 0 : 1);
  parameters = chosen;
  parameters_ = chosen;
  return Ok;
}

bool GlGraphicsApi::ReadTargetPixels(std::vector<std::uint32_t>& pixels) {
  if (context_ == nullptr || !target_) return false;
  pixels.resize(std::size_t{target_->width} * target_->height);
  DiscardGlErrors();
  glBindFramebuffer(GL_READ_FRAMEBUFFER, target_->DrawFramebuffer());
  if (target_->inWindow) glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, static_cast<GLsizei>(target_->width), static_cast<GLsizei>(target_->height),
               GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
  if (target_->inWindow) FlipRows(pixels, target_->width, target_->height);
  return glGetError() == GL_NO_ERROR;
}

bool GlGraphicsApi::ReadTargetToPng(const std::string& path) {
  std::vector<std::uint32_t> pixels;
  if (!ReadTargetPixels(pixels)) return false;
  // The screen shows no alpha: what blending left in the target's alpha would make an
  // image viewer show the picture washed out over its own background.
  for (std::uint32_t& pixel : pixels) pixel |= 0xFF000000u;
  return WritePng(path, target_->width, target_->height, pixels);
}

bool GlGraphicsApi::ReadWindowPixels(std::vector<std::uint32_t>& pixels, int& width, int& height) {
  if (context_ == nullptr || !target_) return false;
  SDL_GL_GetDrawableSize(window_, &width, &height);
  DiscardGlErrors();
  if (!target_->inWindow) BlitTargetToWindow();
  pixels.resize(static_cast<std::size_t>(width) * height);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
  glBindFramebuffer(GL_FRAMEBUFFER, target_->DrawFramebuffer());
  FlipRows(pixels, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
  return glGetError() == GL_NO_ERROR;
}

}  // namespace tvx
