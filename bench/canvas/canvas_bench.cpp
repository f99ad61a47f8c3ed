// Textured quads per second of CPU time: N 16 x 16 sprites a frame from one 64 x 64 sheet,
// alpha blended, drawn through our canvas on the GL backend and, in the same run, through
// SDL's own 2D renderer on its OpenGL driver (one copy per sprite unbatched and batched, and
// one geometry call per frame). Each frame is cleared, drawn and presented. CPU time is the
// whole process's, so the software rasteriser's threads count too. Every frame ends in
// glFinish: llvmpipe drops the queued drawing of a frame that was never flushed when the next
// one clears the whole target, so without it a hidden window's frames cost next to nothing.
//
// Run under Xvfb or with SDL_VIDEODRIVER=offscreen:
//   canvas_bench [quads per frame] [frames] [rounds]
// Runs twice: 16 x 16 sprites, then the same ones drawn 4 x 4.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Component.h"
#include "core/LittleEndian.h"
#include "core/MemoryStream.h"
#include "counting_graphics_api.h"
#include "harness/ImageRecordBuilder.h"
#include "harness/RenderRig.h"
#include "platform/gl/GlGraphicsApi.h"
#include "platform/probes/SdlRendererProbe.h"
#include "platform/probes/SdlVideo.h"
#include "render/PxCanvas.h"
#include "render/PxDevices.h"
#include "render/PxImages.h"

namespace tvx::bench {
namespace {

constexpr int kSheet = 64;
constexpr int kCell = 16;
constexpr int kPatterns = 16;
constexpr int kWarmUpFrames = 5;

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Sixteen round sprites with soft edges, each cell in its own colour, as 0xAARRGGBB.
std::vector<std::uint32_t> SheetPixels() {
  std::vector<std::uint32_t> pixels(kSheet * kSheet);
  for (int y = 0; y < kSheet; ++y) {
    for (int x = 0; x < kSheet; ++x) {
      const int cx = x % kCell * 2 - kCell + 1;
      const int cy = y % kCell * 2 - kCell + 1;
      const int distance = cx * cx + cy * cy;
      const std::uint32_t alpha = distance < 200 ? 255 : distance < 256 ? 128 : 0;
      const std::uint32_t cell = static_cast<std::uint32_t>(y / kCell * 4 + x / kCell);
      pixels[y * kSheet + x] = alpha << 24 | (cell * 15) << 16 | (255 - cell * 15) << 8 | 128;
    }
  }
  return pixels;
}

// The sheet as an image record: A8R8G8B8 cells of 16 x 16 in one 64 x 64 texture.
std::vector<std::uint8_t> SheetRecord(const std::vector<std::uint32_t>& pixels) {
  std::vector<std::uint8_t> stored;
  for (std::uint32_t pixel : pixels) AppendLittleEndian(stored, pixel);
  return testing::ImageRecordBuilder()
      .Format(PixelFormat::pfA8R8G8B8)
      .Cell(kCell, kCell)
      .Draw(kCell, kCell)
      .Patterns(kPatterns)
      .Texture(kSheet, kSheet)
      .Pixels(std::move(stored))
      .Bytes();
}

struct Sprite {
  int x;
  int y;
  int pattern;
  int size;  // drawn width and height
};

std::vector<Sprite> Sprites(int count, int size) {
  std::vector<Sprite> sprites;
  for (int i = 0; i < count; ++i) {
    sprites.push_back({i * 37 % (640 - kCell), i * 91 % (480 - kCell), i % kPatterns, size});
  }
  return sprites;
}

struct Figures {
  double quadsPerCpuSecond = 0;
  double drawCallsPerFrame = 0;
};

void Print(const char* name, const Figures& f) {
  std::printf("%-34s %12.0f quads/CPU s %10.1f draw calls/frame\n", name, f.quadsPerCpuSecond,
              f.drawCallsPerFrame);
}

bool MeasureCanvas(const std::vector<Sprite>& sprites, int frames, Figures& figures) {
  std::string error;
  std::unique_ptr<GlGraphicsApi> gl = GlGraphicsApi::CreateWithOwnWindow(640, 480, error);
  if (!gl) {
    std::fprintf(stderr, "canvas_bench: %s\n", error.c_str());
    return false;
  }
  CountingGraphicsApi counting(*gl);
  testing::RenderRig rig(counting, {.canvas = true});
  TPxDevice* device = rig.device;
  TPxCanvas* canvas = rig.canvas;
  device->SetVSync(false);
  if (!device->Initialize()) return false;

  TPxImage sheet(device);
  const std::vector<std::uint8_t> record = SheetRecord(SheetPixels());
  TMemoryStream stream;
  stream.Write(record.data(), record.size());
  stream.Seek(0);
  if (!sheet.LoadFromStream(stream)) return false;

  device->OnRender = [&](TComponent*) {
    for (const Sprite& s : sprites) {
      canvas->DrawImageScaled(&sheet, s.pattern, s.x, s.y, static_cast<double>(s.size) / kCell,
                              EffectAlphaBlend);
    }
  };
  const auto frame = [&] {
    device->Render(0, true);
    device->PresentFrame();
    probes::FinishGlDrawing();
  };
  for (int f = 0; f < kWarmUpFrames; ++f) frame();
  const std::uint64_t drawsBefore = counting.DrawCalls();
  const double start = CpuSeconds();
  for (int f = 0; f < frames; ++f) frame();
  const double seconds = CpuSeconds() - start;
  figures.quadsPerCpuSecond = static_cast<double>(sprites.size()) * frames / seconds;
  figures.drawCallsPerFrame =
      static_cast<double>(counting.DrawCalls() - drawsBefore) / static_cast<double>(frames);
  device->Finalize();
  return true;
}

bool MeasureSdl(const std::vector<Sprite>& sprites, int frames, probes::SdlDrawMode mode,
                Figures& figures) {
  std::vector<probes::ProbeSprite> drawn;
  for (const Sprite& s : sprites) {
    drawn.push_back({s.x, s.y, s.pattern % 4 * kCell, s.pattern / 4 * kCell, kCell, s.size});
  }
  std::string error;
  const std::unique_ptr<probes::SdlRendererProbe> probe =
      probes::SdlRendererProbe::Create(SheetPixels(), kSheet, mode, drawn, error);
  if (!probe) {
    std::fprintf(stderr, "canvas_bench: %s\n", error.c_str());
    return false;
  }
  for (int f = 0; f < kWarmUpFrames; ++f) probe->DrawFrame();
  const double start = CpuSeconds();
  for (int f = 0; f < frames; ++f) probe->DrawFrame();
  const double seconds = CpuSeconds() - start;
  figures.quadsPerCpuSecond = static_cast<double>(sprites.size()) * frames / seconds;
  figures.drawCallsPerFrame = probe->DrawCallsPerFrame();
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Both renderers on the same sprites, in interleaved rounds so that a slow spell of the
// machine hits every contender alike; the median round is printed. A failure to start
// either is reported, not fatal.
void Compare(const std::vector<Sprite>& sprites, int frames, int rounds) {
  std::printf("%zu textured %d x %d quads a frame, %d frames, median of %d rounds\n",
              sprites.size(), sprites.front().size, sprites.front().size, frames, rounds);
  const struct {
    const char* name;
    probes::SdlDrawMode mode;
  } modes[] = {{"SDL_RenderCopy, unbatched", probes::SdlDrawMode::CopyUnbatched},
               {"SDL_RenderCopy, batched", probes::SdlDrawMode::CopyBatched},
               {"SDL_RenderGeometry, one call", probes::SdlDrawMode::Geometry}};
  constexpr std::size_t kSdlModes = std::size(modes);
  std::vector<double> canvasRates;
  std::vector<double> sdlRates[kSdlModes];
  Figures canvas;
  Figures sdl[kSdlModes];
  for (int round = 0; round < rounds; ++round) {
    if (!MeasureCanvas(sprites, frames, canvas)) return;
    canvasRates.push_back(canvas.quadsPerCpuSecond);
    for (std::size_t m = 0; m < kSdlModes; ++m) {
      if (MeasureSdl(sprites, frames, modes[m].mode, sdl[m])) {
        sdlRates[m].push_back(sdl[m].quadsPerCpuSecond);
      }
    }
  }
  canvas.quadsPerCpuSecond = Median(canvasRates);
  Print("canvas on the GL backend", canvas);
  for (std::size_t m = 0; m < kSdlModes; ++m) {
    if (sdlRates[m].empty()) continue;
    sdl[m].quadsPerCpuSecond = Median(sdlRates[m]);
    Print(modes[m].name, sdl[m]);
    std::printf("%-34s %12.2fx\n", "  canvas ahead by",
                canvas.quadsPerCpuSecond / sdl[m].quadsPerCpuSecond);
  }
}

}  // namespace
}  // namespace tvx::bench

int main(int argc, char** argv) {
  using namespace tvx::bench;
  const int quads = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100;
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  std::printf("video driver %s\n", driver != nullptr ? driver : "default");
  // Full-size sprites load the rasteriser; small ones show the cost of each quad and call.
  Compare(Sprites(quads, kCell), frames, rounds);
  Compare(Sprites(quads, 4), frames, rounds);
  tvx::probes::ShutDownSdl();
  return 0;
}
