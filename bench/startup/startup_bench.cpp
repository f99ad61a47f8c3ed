// Start-up time and memory of the real program path, in one process.
//
//  1. A bare SDL window with an OpenGL context (one cleared, presented frame), then its
//     resident memory: the floor any SDL + GL program on this driver pays. It is closed again.
//  2. The game as the program builds it (SDL application, OpenGL backend, SDL keyboard, SDL
//     audio mixer) from the launcher: "Start Game" is an ENTER key event, then message-loop
//     passes until the first title frame has been presented. Times: the device's
//     initialisation, the first frame's fonts, images, sounds and sprite engine, and the
//     rest of that frame up to its present; wall and process CPU (the rasteriser's and the
//     mixer's threads count). Then the game's resident memory above the bare window on the
//     title, and after the given seconds of level 1 with its traffic.
//  3. The same start on the recording graphics double (virtual clock, scripted application),
//     so that what the software rasteriser adds shows.
//
// Run under Xvfb or with SDL_VIDEODRIVER=offscreen; without a sound card the SDL audio
// driver "dummy" is used, which mixes like a real one:
//   startup_bench [level seconds, default 30; 0 skips the level] [launcher ms, default 1000]
// The launcher shows for the given time before "Start Game" is pressed: the archive is read
// and checked in the background meanwhile, as while a player finds the button.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/LauncherArtLoader.h"
#include "game/Form1.h"
#include "platform/Application.h"
#include "platform/ProgramMemory.h"
#include "platform/audio/SdlAudioLibrary.h"
#include "platform/doubles/FakeApplication.h"
#include "platform/doubles/FakeKeyboardDevice.h"
#include "platform/doubles/RecordingGraphicsApi.h"
#include "platform/doubles/VirtualClock.h"
#include "platform/gl/GlGraphicsApi.h"
#include "platform/probes/BareGlWindow.h"
#include "platform/probes/KeyPress.h"
#include "platform/probes/SdlVideo.h"
#include "platform/sdl/ProgramFolder.h"
#include "platform/sdl/SdlApplication.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlKeyboardDevice.h"
#include "render/PxDevices.h"
#include "sprites/SpriteEngine.h"

namespace tvx::bench {
namespace {

struct Instant {
  double wall = 0;
  double cpu = 0;
  double resident = 0;
};

Instant Now() {
  timespec wall{}, cpu{};
  clock_gettime(CLOCK_MONOTONIC, &wall);
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
  return {static_cast<double>(wall.tv_sec) + static_cast<double>(wall.tv_nsec) * 1e-9,
          static_cast<double>(cpu.tv_sec) + static_cast<double>(cpu.tv_nsec) * 1e-9,
          ResidentMegabytes()};
}

// The marks of one start, from "Start Game" to the first presented title frame.
class StartTimes {
 public:
  void Begin() {
    marks_ = {{"start", Now()}};
    running_ = true;
  }
  void Mark(const char* step) {
    if (running_) marks_.push_back({step, Now()});
  }
  void End() {
    Mark("title frame presented");
    running_ = false;
  }

  void Print(const char* title) const {
    std::printf("%s\n  %-28s %9s %9s %12s\n", title, "step", "wall ms", "CPU ms", "resident MB");
    for (std::size_t i = 1; i < marks_.size(); ++i) {
      Line(marks_[i].step, marks_[i - 1].at, marks_[i].at);
    }
    if (marks_.size() > 1) Line("total", marks_.front().at, marks_.back().at);
  }

 private:
  struct MarkAt {
    std::string step;
    Instant at;
  };
  static void Line(const std::string& step, Instant from, Instant to) {
    std::printf("  %-28s %9.1f %9.1f %+12.1f\n", step.c_str(), (to.wall - from.wall) * 1e3,
                (to.cpu - from.cpu) * 1e3, to.resident - from.resident);
  }
  std::vector<MarkAt> marks_;
  bool running_ = false;
};

// Device initialisation and the load steps of the first frame mark themselves.
void ObserveStart(TForm1& form, StartTimes& times) {
  auto initialize = form.Device().OnInitialize;
  form.Device().OnInitialize = [&times, initialize](TComponent* sender, bool& success) {
    if (initialize) initialize(sender, success);
    times.Mark("device initialisation");
  };
  auto render = form.Device().OnRender;
  form.Device().OnRender = [&times, render](TComponent* sender) {
    times.Mark("first frame begun");
    if (render) render(sender);
  };
  form.OnLoadStep = [&times](const char* step) { times.Mark(step); };
}

// Milliseconds on a steady clock, for the waits that stand in for the player.
std::int64_t Milliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// A window and context that only clear and present once: the program's floor.
bool MeasureBareWindow(double& megabytes, std::string& error) {
  return probes::WithBareGlWindow([&megabytes] { megabytes = ResidentMegabytes(); }, error);
}

int RunOnOpenGl(double bareMegabytes, int levelSeconds, int launcherMs) {
  SdlClock clock;
  std::string error;
  // The launcher's pictures come from the archive before its window opens, as in the program.
  const auto artStart = std::chrono::steady_clock::now();
  const std::clock_t artCpuStart = std::clock();
  std::string problem;
  LauncherArt art = LoadLauncherArt(ProgramFolder() + "resources.tvx", problem);
  const std::chrono::duration<double, std::milli> artTime =
      std::chrono::steady_clock::now() - artStart;
  const double artCpu = 1000.0 * static_cast<double>(std::clock() - artCpuStart) / CLOCKS_PER_SEC;
  std::printf("launcher pictures from the archive: %.1f ms wall, %.1f ms CPU%s%s\n",
              artTime.count(), artCpu, problem.empty() ? "" : "; ", problem.c_str());
  std::unique_ptr<SdlApplication> application = SdlApplication::Create(clock, error, {}, art);
  art = {};
  if (!application) {
    std::fprintf(stderr, "startup_bench: %s\n", error.c_str());
    return 1;
  }
  GlGraphicsApi graphics(application->Window());
  graphics.PrepareAhead();  // as the program does once the launcher shows
  SdlKeyboardDevice keyboard;
  SdlAudioLibrary audio;
  TForm1 form({clock, *application, graphics, keyboard, audio, ProgramFolder() + "resources.tvx",
               ProgramFolder() + "ranking.rkg"});
  StartTimes times;
  ObserveStart(form, times);
  // The launcher as the player sees it until the button is pressed.
  const std::int64_t shown = Milliseconds();
  while (Milliseconds() - shown < launcherMs) application->RunPass();

  times.Begin();
  probes::QueueKeyPress(vk::Return);
  while (!form.State().DeviceReady && !application->Terminated()) application->RunPass();
  times.End();
  if (!form.State().DeviceReady) {
    std::fprintf(stderr, "startup_bench: the game gave up before its title\n");
    return 1;
  }
  times.Print("OpenGL backend, \"Start Game\" to the first presented title frame:");

  const double title = ResidentMegabytes();
  std::printf("resident memory: bare GL window %.1f MB; game on the title +%.1f MB", bareMegabytes,
              title - bareMegabytes);
  std::fflush(stdout);
  if (levelSeconds > 0) {
    probes::QueueKeyPress(vk::Return);
    const std::int64_t begin = Milliseconds();
    while (!form.State().LevelRunning && Milliseconds() - begin < 10000) application->RunPass();
    const std::int64_t levelStart = Milliseconds();
    std::size_t mostSprites = 0;
    double longestPass = 0;  // a picture shown for the first time fills its texture there
    while (Milliseconds() - levelStart < static_cast<std::int64_t>(levelSeconds) * 1000 &&
           !application->Terminated()) {
      const auto before = std::chrono::steady_clock::now();
      application->RunPass();
      longestPass = std::max(
          longestPass,
          std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count());
      if (form.State().LevelRunning)
        mostSprites = std::max(mostSprites, static_cast<std::size_t>(form.Engine().Count()));
    }
    std::printf(", after %d s of level %d (up to %zu sprites) +%.1f MB; longest pass %.1f ms",
                levelSeconds, form.State().Level, mostSprites, ResidentMegabytes() - bareMegabytes,
                longestPass * 1e3);
  }
  std::printf("\n");
  return 0;
}

int RunOnRecordingDouble(int launcherMs) {
  VirtualClock clock;
  FakeApplication application(clock);
  gfx::RecordingGraphicsApi graphics;
  graphics.SetLogging(false);
  FakeKeyboardDevice keyboard;
  SdlAudioLibrary audio;
  TForm1 form({clock, application, graphics, keyboard, audio, ProgramFolder() + "resources.tvx",
               ProgramFolder() + "ranking.rkg"});
  StartTimes times;
  ObserveStart(form, times);
  std::this_thread::sleep_for(std::chrono::milliseconds(launcherMs));  // the launcher, as above
  times.Begin();
  application.ClickStart();
  while (!form.State().DeviceReady && !application.Terminated()) application.RunPass();
  times.End();
  times.Print("Recording graphics double, the same steps:");
  return form.State().DeviceReady ? 0 : 1;
}

}  // namespace
}  // namespace tvx::bench

int main(int argc, char** argv) {
  using namespace tvx::bench;
  const int levelSeconds = argc > 1 ? std::max(0, std::atoi(argv[1])) : 30;
  const int launcherMs = argc > 2 ? std::max(0, std::atoi(argv[2])) : 1000;
  tvx::ReturnLargeBlocksWhenFreed();  // as the program does first
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (!std::filesystem::exists(tvx::ProgramFolder() + "resources.tvx")) {
    std::fprintf(stderr, "startup_bench: no resources.tvx beside the program\n");
    return 1;
  }
  std::string error;
  if (!tvx::probes::StartSdlVideo(error)) {
    std::fprintf(stderr, "startup_bench: no display (%s)\n", error.c_str());
    return 1;
  }
  double bare = 0;
  int result = 1;
  if (!MeasureBareWindow(bare, error)) {
    std::fprintf(stderr, "startup_bench: no OpenGL window (%s)\n", error.c_str());
  } else {
    result = RunOnOpenGl(bare, levelSeconds, launcherMs);
    if (result == 0) result = RunOnRecordingDouble(launcherMs);
  }
  tvx::probes::ShutDownSdl();
  return result;
}
