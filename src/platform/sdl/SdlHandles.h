// Owning handles for SDL objects: each is freed by its own SDL call when its owner goes.
#pragma once

#include <SDL.h>

#include <memory>

namespace tvx {

struct SdlWindowDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct SdlRendererDeleter {
  void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};

struct SdlTextureDeleter {
  void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};

using SdlWindowPtr = std::unique_ptr<SDL_Window, SdlWindowDeleter>;
using SdlRendererPtr = std::unique_ptr<SDL_Renderer, SdlRendererDeleter>;
using SdlTexturePtr = std::unique_ptr<SDL_Texture, SdlTextureDeleter>;

// One started SDL subsystem (SDL counts them, so several owners may start the same one).
class SdlSubsystem {
 public:
  explicit SdlSubsystem(Uint32 flags) : flags_(SDL_InitSubSystem(flags) == 0 ? flags : 0) {}
  ~SdlSubsystem() {
    if (flags_ != 0) SDL_QuitSubSystem(flags_);
  }
  SdlSubsystem(const SdlSubsystem&) = delete;
  SdlSubsystem& operator=(const SdlSubsystem&) = delete;

  bool Started() const { return flags_ != 0; }

 private:
  Uint32 flags_;
};

}  // namespace tvx
