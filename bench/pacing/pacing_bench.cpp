// How evenly the road moves from one presented frame to the next, on the platform doubles: the
// real TForm1 with the real archive, and a virtual display that presents at a fixed refresh
// (a present returns at the next refresh boundary, the virtual clock moving with it, with
// optional jitter: each return late by a random 0 to J microseconds). Level 1 plays without
// traffic, the car left alone, for the given virtual seconds at each rate; then the same with
// smooth motion off, which draws as the game always did (the road where the newest tick left
// it), and, last, the Xvfb case: no VSync and no rate reported, paced by sleeping.
//
//   pacing_bench [virtual seconds, default 10] [jitter us, default 1000]
//
// Per rate and setting: logic ticks and presented frames per second; the mean of the road's
// movement on screen per presented frame, in pixels, and its coefficient of variation; the
// frames in which it did not move; the longest hold (presented frames in a row showing the
// road at one place).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/TempFolder.h"
#include "harness/GameHarness.h"
#include "harness/VirtualDisplay.h"
#include "timing/PxTimers.h"

namespace {

using tvx::testing::GameHarness;
using tvx::testing::VirtualDisplay;

struct Run {
  double ticksPerSecond = 0;
  double framesPerSecond = 0;
  double meanMove = 0;
  double variation = 0;  // coefficient of variation, %
  int still = 0;
  int longestHold = 0;
  bool ok = false;
};

// The road's movement between presented frames, from the first vertex each frame drew; the
// road's jump back up by 480 pixels is the last step of its scroll.
std::vector<double> RoadMoves(const std::vector<VirtualDisplay::Shown>& shown) {
  std::vector<double> moves;
  for (std::size_t i = 1; i < shown.size(); ++i) {
    if (std::isnan(shown[i].firstY) || std::isnan(shown[i - 1].firstY)) continue;
    double move = static_cast<double>(shown[i].firstY) - shown[i - 1].firstY;
    if (move < -240.0) move += 480.0;
    moves.push_back(move);
  }
  return moves;
}

Run Measure(const std::string& folder, int hertz, bool reported, bool vsync, std::int64_t jitterUs,
            bool smooth, int seconds) {
  Run run;
  VirtualDisplay display(hertz, jitterUs, vsync);
  GameHarness harness(display, folder, reported ? hertz : 0,
                      tvx::DisplayOptions{.smoothMotion = smooth});
  display.SetClock(harness.clock);
  GameHarness* game = &harness;
  game->Start();
  game->StartLevel();
  if (!game->State().LevelRunning) return run;
  game->RunUntilWithoutTraffic([] { return false; }, 500);  // the level's first moments

  display.ClearPresents();
  const std::int64_t ticksBefore = game->Form().Timer().TicksRun();
  game->RunUntilWithoutTraffic([] { return false; }, static_cast<std::uint32_t>(seconds) * 1000);
  const std::int64_t ticks = game->Form().Timer().TicksRun() - ticksBefore;
  const auto& shown = display.Presents();
  const std::vector<double> moves = RoadMoves(shown);
  if (moves.empty()) return run;

  run.ticksPerSecond = static_cast<double>(ticks) / seconds;
  run.framesPerSecond = static_cast<double>(shown.size()) / seconds;
  double sum = 0;
  for (double m : moves) sum += m;
  run.meanMove = sum / static_cast<double>(moves.size());
  double squares = 0;
  int hold = 0;
  for (double m : moves) {
    squares += (m - run.meanMove) * (m - run.meanMove);
    if (std::fabs(m) < 1e-4) {
      ++run.still;
      run.longestHold = std::max(run.longestHold, ++hold + 1);
    } else {
      hold = 0;
    }
  }
  if (run.longestHold == 0) run.longestHold = 1;
  const double deviation = std::sqrt(squares / static_cast<double>(moves.size()));
  run.variation = run.meanMove != 0 ? 100.0 * deviation / std::fabs(run.meanMove) : 0;
  run.ok = true;
  return run;
}

void Print(const char* label, const Run& run) {
  if (!run.ok) {
    std::printf("%-22s  (no level)\n", label);
    return;
  }
  std::printf("%-22s %6.1f %7.1f %8.3f %8.2f %7d %6d\n", label, run.ticksPerSecond,
              run.framesPerSecond, run.meanMove, run.variation, run.still, run.longestHold);
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const std::int64_t jitterUs = argc > 2 ? std::max(0, std::atoi(argv[2])) : 1000;
  tvx::TempFolder folder;
  std::error_code error;
  if (!std::filesystem::copy_file(TARVEX_ARCHIVE, folder.Path() + "resources.tvx", error)) {
    std::fprintf(stderr, "pacing_bench: cannot read %s\n", TARVEX_ARCHIVE);
    return 1;
  }
  std::printf(
      "level 1 without traffic, %d virtual s per run; jitter: returns up to %lld us "
      "late\n\n",
      seconds, static_cast<long long>(jitterUs));
  std::printf("%-22s %6s %7s %8s %8s %7s %6s\n", "display, drawing", "ticks/s", "frames/s",
              "move px", "CV %", "still", "hold");
  for (const int hertz : {48, 60, 75, 90, 100, 120, 144, 165, 240, 360}) {
    for (const bool smooth : {false, true}) {
      for (const bool jitter : {false, true}) {
        char label[64];
        std::snprintf(label, sizeof label, "%3d Hz %s%s", hertz, smooth ? "smooth" : "ticks ",
                      jitter ? " jitter" : "");
        Print(label,
              Measure(folder.Path(), hertz, true, true, jitter ? jitterUs : 0, smooth, seconds));
      }
    }
  }
  std::printf("no VSync, no rate reported (Xvfb): paced to 60 by sleeping\n");
  for (const bool smooth : {false, true}) {
    Print(smooth ? " 60    smooth" : " 60    ticks",
          Measure(folder.Path(), 60, false, false, 0, smooth, seconds));
  }
  return 0;
}
