#include "platform/probes/SdlRendererProbe.h"

#include <SDL.h>
#include <epoxy/gl.h>

namespace tvx::probes {

struct SdlRendererProbe::Parts {
  SdlDrawMode mode = SdlDrawMode::Geometry;
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  std::vector<ProbeSprite> sprites;
  std::vector<SDL_Vertex> vertices;
  std::vector<int> indices;

  // The sprites as one indexed triangle list with texture coordinates on the sheet.
  void BuildGeometry(int sheetSize);

  ~Parts() {
    if (texture != nullptr) SDL_DestroyTexture(texture);
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    if (window != nullptr) SDL_DestroyWindow(window);
  }
};

std::unique_ptr<SdlRendererProbe> SdlRendererProbe::Create(const std::vector<std::uint32_t>& sheet,
                                                           int sheetSize, SdlDrawMode mode,
                                                           const std::vector<ProbeSprite>& sprites,
                                                           std::string& error) {
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, mode == SdlDrawMode::CopyUnbatched ? "0" : "1");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");  // as the canvas filters by default
  auto parts = std::make_unique<Parts>();
  parts->mode = mode;
  parts->sprites = sprites;
  parts->window = SDL_CreateWindow("probe", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 640,
                                   480, SDL_WINDOW_HIDDEN);
  if (parts->window != nullptr) {
    parts->renderer = SDL_CreateRenderer(parts->window, -1, SDL_RENDERER_ACCELERATED);
  }
  if (parts->renderer != nullptr) {
    parts->texture = SDL_CreateTexture(parts->renderer, SDL_PIXELFORMAT_ARGB8888,
                                       SDL_TEXTUREACCESS_STATIC, sheetSize, sheetSize);
  }
  if (parts->texture == nullptr) {
    error = std::string("SDL renderer: ") + SDL_GetError();
    return nullptr;
  }
  SDL_UpdateTexture(parts->texture, nullptr, sheet.data(), sheetSize * 4);
  SDL_SetTextureBlendMode(parts->texture, SDL_BLENDMODE_BLEND);
  parts->BuildGeometry(sheetSize);
  return std::unique_ptr<SdlRendererProbe>(new SdlRendererProbe(std::move(parts)));
}

SdlRendererProbe::SdlRendererProbe(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

SdlRendererProbe::~SdlRendererProbe() = default;

void SdlRendererProbe::DrawFrame() {
  Parts& p = *parts_;
  SDL_SetRenderDrawColor(p.renderer, 0, 0, 0, 255);
  SDL_RenderClear(p.renderer);
  if (p.mode == SdlDrawMode::Geometry) {
    SDL_RenderGeometry(p.renderer, p.texture, p.vertices.data(),
                       static_cast<int>(p.vertices.size()), p.indices.data(),
                       static_cast<int>(p.indices.size()));
  } else {
    for (const ProbeSprite& s : p.sprites) {
      const SDL_Rect source{s.sourceX, s.sourceY, s.cell, s.cell};
      const SDL_Rect target{s.x, s.y, s.size, s.size};
      SDL_RenderCopy(p.renderer, p.texture, &source, &target);
    }
  }
  SDL_RenderPresent(p.renderer);
  FinishGlDrawing();
}

// SDL's renderer reports no draw calls; its OpenGL driver issues one per queued copy or
// geometry command.
int SdlRendererProbe::DrawCallsPerFrame() const {
  return parts_->mode == SdlDrawMode::Geometry ? 1 : static_cast<int>(parts_->sprites.size());
}

void FinishGlDrawing() { glFinish(); }

void SdlRendererProbe::Parts::BuildGeometry(int sheetSize) {
  const auto sheet = static_cast<float>(sheetSize);
  const SDL_Color white{255, 255, 255, 255};
  for (const ProbeSprite& s : sprites) {
    const float u0 = static_cast<float>(s.sourceX) / sheet;
    const float v0 = static_cast<float>(s.sourceY) / sheet;
    const float u1 = u0 + static_cast<float>(s.cell) / sheet;
    const float v1 = v0 + static_cast<float>(s.cell) / sheet;
    const auto x0 = static_cast<float>(s.x);
    const auto y0 = static_cast<float>(s.y);
    const auto size = static_cast<float>(s.size);
    const int first = static_cast<int>(vertices.size());
    vertices.push_back({{x0, y0}, white, {u0, v0}});
    vertices.push_back({{x0 + size, y0}, white, {u1, v0}});
    vertices.push_back({{x0 + size, y0 + size}, white, {u1, v1}});
    vertices.push_back({{x0, y0 + size}, white, {u0, v1}});
    indices.insert(indices.end(), {first, first + 1, first + 3, first + 1, first + 2, first + 3});
  }
}

}  // namespace tvx::probes
