// The OpenGL backend of the graphics API, on SDL2 windows and libepoxy.
//
// Model: a GL 2.1 compatibility context (GLSL 1.20 programs emulate texture stage 0 and the
// alpha test, see GlStagePrograms.h) draws everything into a target of the back-buffer
// size. When the window's drawable has that size and the back buffer has neither depth nor
// alpha, the target is the window's own back buffer. Otherwise it is an FBO (RGBA8, or RGB8
// for formats without alpha), stored top row first from GL's y = 0, which Present blits into
// a centred rectangle of the target's aspect ratio (black bars) before it swaps: the largest
// one with linear filtering (nearest at 1:1), or with integer scaling the largest whole
// multiple with nearest filtering, so that each target pixel is a square of equal pixels.
// CreateObject needs SDL's video subsystem running. Full screen is desktop full screen, unless
// the window's owner keeps the choice of full screen or window to itself (see GlPresentation);
// the presentation interval becomes the swap interval (vsync that cannot be set is not an
// error). The device is never lost.
//
// Buffers keep a CPU copy that a lock hands out. A texture lock lends a copy of the level in
// the D3D layout (read back from GL once the level holds texels); the unlock uploads what was
// locked, converted to 8-bit RGBA (see platform/TexelLayouts.h), and drops the copy.
// Render states and stage 0 are tracked as the D3D values and turned into GL state at draw
// time, with two shortcuts that leave the picture as it is: a draw the caller says is untinted
// gets a program without the diffuse, and one that is texel for texel is point
// filtered. Textures, buffers and states live in the one context, so they survive Reset; Reset
// puts every render, stage and sampler state back to its default as D3D does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/DisplayOptions.h"
#include "platform/GraphicsApi.h"

struct SDL_Window;

namespace tvx {

namespace gl {
class StagePrograms;
}

// How frames reach the window.
struct GlPresentation {
  ScaleMode scale = ScaleMode::Fit;
  // A full-screen device makes the window desktop full screen and a windowed one takes it
  // out, as D3D would. Off, the window stays in whatever mode its owner gives it (the game
  // lets the player switch at any moment) and a full-screen device is presented in it.
  bool deviceSetsWindowMode = true;
};

class GlGraphicsApi : public gfx::IGraphicsApi {
 public:
  // Draws into a window created with SDL_WINDOW_OPENGL; the caller keeps it alive.
  explicit GlGraphicsApi(SDL_Window* window, GlPresentation presentation = {});
  ~GlGraphicsApi() override;
  GlGraphicsApi(const GlGraphicsApi&) = delete;
  GlGraphicsApi& operator=(const GlGraphicsApi&) = delete;

  // For tests and tools: a backend with a hidden window of its own (initialising SDL's video
  // if needed), after checking that a GL context can be made for it. Nothing and a message
  // when that fails.
  static std::unique_ptr<GlGraphicsApi> CreateWithOwnWindow(int width, int height,
                                                            std::string& error,
                                                            GlPresentation presentation = {});

  SDL_Window* Window() const { return window_; }
  // How the next presents scale the picture, as the player has just chosen.
  void SetScale(ScaleMode scale) { presentation_.scale = scale; }

  // Work a software rasteriser does on first use, done while nothing waits for it (a
  // launcher shown): makes the GL context the device will take and warms its present path,
  // a blit of an RGBA8 target into the window, which llvmpipe otherwise compiles on the first
  // Present. Whatever context was current is current again afterwards; the window's back
  // buffer may hold a stray pixel until its owner next draws. Nothing once a device exists.
  void PrepareAhead();

  // Read-backs after Present need the target offscreen: a window's back buffer is only
  // defined up to the swap. Tools that capture presented frames call this first.
  void KeepTargetOffscreen();
  bool DrawsIntoWindow() const;

  // Off while nobody can see the window: clears, draws and presents succeed without doing
  // anything, so that a game that keeps running draws nothing. Buffers and textures still
  // take what is written to them.
  void SetDrawing(bool drawing) { drawing_ = drawing; }
  bool Drawing() const { return drawing_; }

  // The target as 0xAARRGGBB, top row first (width x height of the back buffer).
  bool ReadTargetPixels(std::vector<std::uint32_t>& pixels);
  bool ReadTargetToPng(const std::string& path);
  // What Present shows in the window: the scaled target with its bars, top row first.
  bool ReadWindowPixels(std::vector<std::uint32_t>& pixels, int& width, int& height);

  // gfx::IGraphicsApi
  gfx::Result CreateObject(std::uint32_t sdkVersion) override;
  void ReleaseObject() override;
  gfx::Result GetAdapterDisplayMode(gfx::DisplayMode& mode) override;
  std::uint32_t GetAdapterModeCount(std::uint32_t format) override;
  gfx::Result EnumAdapterModes(std::uint32_t format, std::uint32_t index,
                               gfx::DisplayMode& mode) override;
  gfx::Result CheckDeviceFormat(std::uint32_t deviceType, std::uint32_t adapterFormat,
                                std::uint32_t usage, std::uint32_t resourceType,
                                std::uint32_t checkFormat) override;

  gfx::Result CreateDevice(std::uint32_t deviceType, std::uintptr_t focusWindow,
                           std::uint32_t behaviorFlags,
                           gfx::PresentParameters& parameters) override;
  void ReleaseDevice() override;
  gfx::Result GetDeviceCaps(gfx::DeviceCaps& caps) override;
  gfx::Result Clear(std::uint32_t flags, std::uint32_t color, float z,
                    std::uint32_t stencil) override;
  gfx::Result BeginScene() override;
  gfx::Result EndScene() override;
  gfx::Result Present() override;
  gfx::Result TestCooperativeLevel() override;
  gfx::Result Reset(gfx::PresentParameters& parameters) override;

  gfx::Result CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf,
                                 std::uint32_t pool, gfx::BufferHandle& buffer) override;
  gfx::Result CreateIndexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t format,
                                std::uint32_t pool, gfx::BufferHandle& buffer) override;
  gfx::Result LockBuffer(gfx::BufferHandle buffer, std::uint32_t offset, std::uint32_t size,
                         void** data, std::uint32_t flags) override;
  gfx::Result UnlockBuffer(gfx::BufferHandle buffer) override;
  void ReleaseBuffer(gfx::BufferHandle buffer) override;

  gfx::Result SetStreamSource(std::uint32_t stream, gfx::BufferHandle vertexBuffer,
                              std::uint32_t offset, std::uint32_t stride) override;
  gfx::Result SetIndices(gfx::BufferHandle indexBuffer) override;
  gfx::Result SetVertexShader(gfx::ShaderHandle shader) override;
  gfx::Result SetFVF(std::uint32_t fvf) override;
  gfx::Result DrawPrimitive(std::uint32_t type, std::uint32_t startVertex,
                            std::uint32_t primitiveCount) override;
  gfx::Result DrawIndexedPrimitive(std::uint32_t type, std::int32_t baseVertex,
                                   std::uint32_t minIndex, std::uint32_t numVertices,
                                   std::uint32_t startIndex, std::uint32_t primitiveCount) override;
  void SetUntinted(bool untinted) override { untinted_ = untinted; }

  gfx::Result SetRenderState(std::uint32_t state, std::uint32_t value) override;
  gfx::Result SetTextureStageState(std::uint32_t stage, std::uint32_t type,
                                   std::uint32_t value) override;
  gfx::Result SetSamplerState(std::uint32_t sampler, std::uint32_t type,
                              std::uint32_t value) override;
  gfx::Result SetTexture(std::uint32_t stage, gfx::TextureHandle texture) override;

  gfx::Result CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                            std::uint32_t usage, std::uint32_t format, std::uint32_t pool,
                            gfx::TextureHandle& texture) override;
  gfx::Result LockRect(gfx::TextureHandle texture, std::uint32_t level, gfx::LockedRect& locked,
                       const gfx::Rect* rect, std::uint32_t flags) override;
  gfx::Result UnlockRect(gfx::TextureHandle texture, std::uint32_t level) override;
  void ReleaseTexture(gfx::TextureHandle texture) override;

 private:
  struct Buffer;
  struct Texture;
  struct Target;
  struct States;

  // Device set-up (GlGraphicsDevice.cpp).
  bool CreateContext(std::string& error);
  void WarmPresentBlit();
  bool ApplyPresentParameters(const gfx::PresentParameters& parameters);
  bool CreateTarget(const gfx::PresentParameters& parameters);
  void ReleaseTarget();
  void PlaceTarget();
  void ResetStates();
  void ReleaseResources();
  void BlitTargetToWindow();
  std::vector<gfx::DisplayMode> ModesOf(std::uint32_t format) const;

  // Drawing (GlGraphicsDraw.cpp).
  bool PrepareDraw(unsigned mode, std::uint32_t originVertex, std::uint32_t firstVertex,
                   std::uint32_t vertexCount, const std::uint16_t* indices,
                   std::uint32_t elementCount);
  void ApplyBlendStates();
  void ApplyCullMode();
  void ApplyDepthState();

  // Textures (GlGraphicsTextures.cpp).
  void RestoreTextureBinding();

  Buffer* FindBuffer(gfx::BufferHandle handle);
  Texture* FindTexture(gfx::TextureHandle handle);
  // A locked level's copy: zeros until the level was first uploaded, then read back from GL.
  void FillCopy(Texture& texture, std::uint32_t level);
  // The locked rectangle of the copy into GL.
  void Upload(Texture& texture, std::uint32_t level);
  void EnsureStorage(Texture& texture);

  // Owners of what the backend made itself: its own window (with the video subsystem it
  // started for it) and the GL context. The context goes first.
  struct OwnWindowCloser {
    void operator()(SDL_Window* window) const;
  };
  struct ContextDeleter {
    void operator()(void* context) const;
  };

  SDL_Window* window_ = nullptr;  // drawn to: the caller's window or ownWindow_
  GlPresentation presentation_;
  std::unique_ptr<SDL_Window, OwnWindowCloser> ownWindow_;
  bool keepOffscreen_ = false;
  bool windowTargetPossible_ = false;  // the window has no alpha and GL has clip control
  bool objectCreated_ = false;
  std::unique_ptr<void, ContextDeleter> context_;          // SDL_GLContext
  std::unique_ptr<void, ContextDeleter> preparedContext_;  // made ahead, for CreateContext
  bool inScene_ = false;
  bool untinted_ = false;
  bool drawing_ = true;
  gfx::PresentParameters parameters_{};

  std::unique_ptr<Target> target_;
  std::unique_ptr<States> states_;
  std::unique_ptr<gl::StagePrograms> programs_;
  std::unordered_map<gfx::BufferHandle, std::unique_ptr<Buffer>> buffers_;
  std::unordered_map<gfx::TextureHandle, std::unique_ptr<Texture>> textures_;
  std::uint32_t nextHandle_ = 1;
  // The buffer of the last texture lock, kept for the next one until the frame is presented.
  std::vector<std::uint8_t> spareCopy_;
  bool uploadedThisFrame_ = false;  // the heap is trimmed after such a frame is presented
};

}  // namespace tvx
