// SDL's own 2D renderer on its OpenGL driver, drawing textured sprites from one sheet: the
// yardstick the canvas benchmark measures our canvas against. It lives in the platform so
// that the benchmarks themselves include no SDL or OpenGL header.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tvx::probes {

// One sprite: a square cell of the sheet drawn at (x, y), `size` pixels wide and high.
struct ProbeSprite {
  int x;
  int y;
  int sourceX;
  int sourceY;
  int cell;
  int size;
};

enum class SdlDrawMode {
  CopyUnbatched,  // one SDL_RenderCopy per sprite, each sent on its own
  CopyBatched,    // the same copies, batched by SDL
  Geometry        // one SDL_RenderGeometry call a frame
};

class SdlRendererProbe {
 public:
  // A hidden 640 x 480 window with the renderer and the sheet (square, 0xAARRGGBB pixels) as
  // an alpha-blended texture; nullptr and `error` when SDL cannot make them.
  static std::unique_ptr<SdlRendererProbe> Create(const std::vector<std::uint32_t>& sheet,
                                                  int sheetSize, SdlDrawMode mode,
                                                  const std::vector<ProbeSprite>& sprites,
                                                  std::string& error);
  ~SdlRendererProbe();
  SdlRendererProbe(const SdlRendererProbe&) = delete;
  SdlRendererProbe& operator=(const SdlRendererProbe&) = delete;

  // Clears, draws every sprite, presents and waits for the rasteriser to finish.
  void DrawFrame();
  // Draw calls the renderer's OpenGL driver issues a frame.
  int DrawCallsPerFrame() const;

 private:
  struct Parts;
  explicit SdlRendererProbe(std::unique_ptr<Parts> parts);
  std::unique_ptr<Parts> parts_;
};

// Waits until the current OpenGL context has drawn everything queued: llvmpipe drops the
// queued drawing of a frame never flushed when the next one clears the whole target.
void FinishGlDrawing();

}  // namespace tvx::probes
