// Frames of a running level with traffic, from the real archive, on the platform doubles:
// the game, the sprite engine and the canvas's batching run as in the program, while the
// graphics double only records. Prints CPU time and heap allocations per frame, the figures
// the frame loop is kept small by.
//
//   game_frame_bench [virtual seconds]
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <new>

#include "core/TempFolder.h"
#include "harness/GameHarness.h"
#include "harness/TestArchive.h"
#include "platform/KeyboardDevice.h"
#include "platform/doubles/RecordingGraphicsApi.h"
#include "sprites/SpriteEngine.h"

namespace {

std::size_t allocations = 0;

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main(int argc, char** argv) {
  using namespace tvx;
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  TempFolder folder;
  std::error_code error;
  if (!std::filesystem::copy_file(TARVEX_ARCHIVE, folder.Path() + "resources.tvx", error)) {
    std::fprintf(stderr, "game_frame_bench: cannot read %s\n", TARVEX_ARCHIVE);
    return 1;
  }
  gfx::RecordingGraphicsApi graphics;
  graphics.SetLogging(false);
  testing::GameHarness game(graphics, folder.Path());
  game.audio.SetLogging(false);  // the doubles' own logs would be counted as the game's
  game.Start();
  game.StartLevel();
  if (!game.State().LevelRunning) {
    std::fprintf(stderr, "game_frame_bench: the level did not start\n");
    return 1;
  }
  game.keyboard.SetKeyDown(dik::Up, true);  // so that the car meets the traffic
  game.RunFor(2000);                        // the first traffic on the road

  const std::uint64_t presentsBefore = graphics.Count(gfx::Call::Present);
  const std::uint64_t drawsBefore = graphics.DrawCalls();
  const std::size_t allocationsBefore = allocations;
  std::uint64_t spriteSum = 0;
  std::uint64_t samples = 0;
  const double start = CpuSeconds();
  for (int tenth = 0; tenth < seconds * 10 && game.State().LevelRunning; ++tenth) {
    game.keyboard.SetKeyDown(dik::Left, tenth % 20 < 10);  // left, then right
    game.keyboard.SetKeyDown(dik::Right, tenth % 20 >= 10);
    game.RunFor(100);
    spriteSum += static_cast<std::uint64_t>(game.Form().Engine().Count());
    ++samples;
  }
  const double cpu = CpuSeconds() - start;
  const auto frames = static_cast<double>(graphics.Count(gfx::Call::Present) - presentsBefore);
  if (frames == 0) {
    std::fprintf(stderr, "game_frame_bench: no frames\n");
    return 1;
  }
  std::printf("%.0f frames of level %d, %.1f sprites on average\n", frames, game.State().Level,
              static_cast<double>(spriteSum) / static_cast<double>(samples));
  std::printf("%10.1f us of CPU per frame (game, sprites, canvas; graphics recorded)\n",
              cpu / frames * 1e6);
  std::printf("%10.2f heap allocations per frame\n",
              static_cast<double>(allocations - allocationsBefore) / frames);
  std::printf("%10.1f draw calls per frame\n",
              static_cast<double>(graphics.DrawCalls() - drawsBefore) / frames);
  return 0;
}
