// Resident memory of the game in its real window over a long play: the program's platform
// parts (SDL application, OpenGL backend, SDL keyboard with the player's inputs, SDL mixer)
// around the form, played by an autopilot that starts a game, steers away from the traffic,
// types a name in the ranking when the game is over, goes back to the title and starts the
// next. Each minute it prints the resident memory, the level and the games played; at the end
// the growth over the whole run and over its second half.
//
//   play_memory_bench [minutes, default 60]
//
// Run under Xvfb (with a window manager, as on a desktop) or with SDL_VIDEODRIVER=offscreen;
// without a sound card the SDL audio driver "dummy" is used, which mixes like a real one. The
// ranking goes to a temporary folder, never beside the program.

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/PlayerControls.h"
#include "core/TempFolder.h"
#include "game/Form1.h"
#include "platform/KeyboardDevice.h"
#include "platform/ProgramMemory.h"
#include "platform/audio/SdlAudioLibrary.h"
#include "platform/gl/GlGraphicsApi.h"
#include "platform/probes/KeyPress.h"
#include "platform/sdl/ProgramFolder.h"
#include "platform/sdl/SdlApplication.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlKeyboardDevice.h"
#include "settings/Settings.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteEngine.h"

namespace tvx::bench {
namespace {

constexpr char kName[] = "BENCH";

double Seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool IsObstacle(const TSprite& sprite) {
  const std::string& name = sprite.ImageName;
  return !sprite.IsDead() && (name.starts_with("car") || name.starts_with("barril"));
}

// The middle and half the width of an obstacle's collision rectangle, from its X.
struct Span {
  float centre;
  float half;
};

Span SpanOf(const TSprite& sprite) {
  const std::string& name = sprite.ImageName;
  if (name.starts_with("car")) return {sprite.X + 47.5f, 17.5f};
  if (name == "barril0") return {sprite.X + 45.0f, 30.0f};
  return {sprite.X + 32.0f, 16.0f};
}

constexpr float kCarHalf = 16.5f;
constexpr float kCarOffset = 49.5f;  // from the car's X to the middle of its rectangle

// Plays through the game's states with key presses, and holds the steering keys in the
// keyboard state while a level runs.
class Autopilot {
 public:
  explicit Autopilot(const TForm1& form) : form_(form) {}

  int Games() const { return games_; }

  // One decision per message-loop pass; menu keys are pressed at most every 0.3 s so that
  // each press lands in its own frame.
  void Decide(double now) {
    const TGameState& s = form_.State();
    held_ = {};
    if (s.LevelRunning && !s.GameOver) {
      if (s.Paused) Press(now, vk::Return);
      Steer(s);
      return;
    }
    if (s.GameOver && !s.RankingMode) {
      if (WaitedSince(now, 2.0)) Press(now, vk::Return);
    } else if (s.RankingMode && form_.WaitsForName()) {
      const std::size_t typed = std::min(s.PlayerName.size(), sizeof kName - 1);
      if (typed < sizeof kName - 1) {
        Press(now, static_cast<std::uint16_t>(kName[typed]));
      } else {
        Press(now, vk::Return);
      }
    } else if (s.RankingMode) {
      if (WaitedSince(now, 3.0) && Press(now, vk::Escape)) ++games_;
    } else if (!s.InGame && s.DeviceReady) {
      if (WaitedSince(now, 2.0)) Press(now, vk::Return);
    }
  }

  void Hold(std::uint8_t* state) const {
    for (const std::uint8_t key : {dik::Down, dik::Left, dik::Right}) {
      if (held_[key]) state[key] = 0x80;
    }
  }

 private:
  // Seconds since the state last changed, counted from the first pass that saw it.
  bool WaitedSince(double now, double seconds) {
    const TGameState& s = form_.State();
    const int phase = (s.InGame ? 1 : 0) + (s.GameOver ? 2 : 0) + (s.RankingMode ? 4 : 0) +
                      (s.NameEntered ? 8 : 0);
    if (phase != phase_) {
      phase_ = phase;
      phaseStart_ = now;
    }
    return now - phaseStart_ >= seconds;
  }

  bool Press(double now, std::uint16_t key) {
    if (now - lastPress_ < 0.3) return false;
    lastPress_ = now;
    probes::QueueKeyPress(key);
    return true;
  }

  // The lane whose way there, away from the car's own, stays clear of the nearest car or
  // barrel ahead the longest.
  void Steer(const TGameState& s) {
    constexpr int kLanes = 43;  // car X 104 to 440 in steps of 8
    std::array<float, kLanes> clearance;
    clearance.fill(1000.0f);
    for (const TSprite* sprite : form_.Engine().SpriteList()) {
      if (!IsObstacle(*sprite) || sprite->Y < -320.0f || sprite->Y > s.PlayerY + 70.0f) continue;
      const Span span = SpanOf(*sprite);
      const float distance = std::max(0.0f, s.PlayerY - sprite->Y);
      const float margin = sprite->ImageName == "barril2" ? 24.0f : 10.0f;
      for (int lane = 0; lane < kLanes; ++lane) {
        const float middle = 104.0f + 8.0f * static_cast<float>(lane) + kCarOffset;
        if (std::fabs(span.centre - middle) < span.half + kCarHalf + margin) {
          clearance[static_cast<std::size_t>(lane)] =
              std::min(clearance[static_cast<std::size_t>(lane)], distance);
        }
      }
    }
    const int here =
        std::clamp(static_cast<int>((s.PlayerX - 104.0f) / 8.0f + 0.5f), 0, kLanes - 1);
    float bestX = s.PlayerX;
    float best = -1e9f;
    for (int lane = 0; lane < kLanes; ++lane) {
      // What blocks the car where it is now does not block moving away from it.
      float way = clearance[static_cast<std::size_t>(lane)];
      for (int step = std::min(lane, here) + 1; step < std::max(lane, here); ++step) {
        way = std::min(way, clearance[static_cast<std::size_t>(step)]);
      }
      const float x = 104.0f + 8.0f * static_cast<float>(lane);
      const float score = way - 0.6f * std::fabs(x - s.PlayerX);
      if (score > best) {
        best = score;
        bestX = x;
      }
    }
    held_[dik::Left] = bestX < s.PlayerX - 4.0f;
    held_[dik::Right] = bestX > s.PlayerX + 4.0f;
    held_[dik::Down] = s.PlayerY < 390.0f;
  }

  const TForm1& form_;
  std::array<bool, 256> held_{};
  int phase_ = -1;
  double phaseStart_ = 0;
  double lastPress_ = 0;
  int games_ = 0;
};

int Play(int minutes) {
  SdlClock clock;
  std::string error;
  const Settings settings;
  std::unique_ptr<SdlApplication> application = SdlApplication::Create(clock, error);
  if (!application) {
    std::fprintf(stderr, "play_memory_bench: %s\n", error.c_str());
    return 1;
  }
  GlGraphicsApi graphics(application->Window());
  graphics.PrepareAhead();
  SdlKeyboardDevice keyboard;
  ConnectInputs(*application, keyboard, settings);
  SdlAudioLibrary audio;
  audio.SetMixLevels(LevelsOf(settings));
  const TempFolder folder;
  TForm1 form({clock, *application, graphics, keyboard, audio, ProgramFolder() + "resources.tvx",
               folder.File("ranking.rkg")});
  ConnectForm(*application, form, &audio);
  Autopilot pilot(form);
  keyboard.SetExtraSlots([&application, &pilot](std::uint8_t* state) {
    application->AddHeldInputs(state);
    pilot.Hold(state);
  });
  probes::QueueKeyPress(vk::Return);  // "Start Game"

  std::printf("%6s %12s %6s %6s\n", "minute", "resident MB", "level", "games");
  std::vector<double> perMinute{ResidentMegabytes()};
  std::printf("%6d %12.1f %6d %6d\n", 0, perMinute.back(), 0, 0);
  std::fflush(stdout);
  const double start = Seconds();
  while (!application->Terminated() && static_cast<int>(perMinute.size()) <= minutes) {
    const double now = Seconds();
    pilot.Decide(now);
    application->RunPass();
    if (now - start >= 60.0 * static_cast<double>(perMinute.size())) {
      perMinute.push_back(ResidentMegabytes());
      std::printf("%6zu %12.1f %6d %6d\n", perMinute.size() - 1, perMinute.back(),
                  form.State().Level, pilot.Games());
      std::fflush(stdout);
    }
  }
  DisconnectForm(*application);
  if (static_cast<int>(perMinute.size()) <= minutes) {
    std::fprintf(stderr, "play_memory_bench: the game ended after %zu minutes\n",
                 perMinute.size() - 1);
    return 1;
  }
  const std::size_t half = perMinute.size() / 2;
  std::printf(
      "growth: %+.1f MB over %d minutes (minute 1 on: %+.1f MB), %+.1f MB over the "
      "last %zu; %d games\n",
      perMinute.back() - perMinute.front(), minutes,
      perMinute.back() - perMinute[std::min<std::size_t>(1, perMinute.size() - 1)],
      perMinute.back() - perMinute[half], perMinute.size() - 1 - half, pilot.Games());
  return 0;
}

}  // namespace
}  // namespace tvx::bench

int main(int argc, char** argv) {
  const int minutes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
  tvx::ReturnLargeBlocksWhenFreed();  // as the program does first
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (!std::filesystem::exists(tvx::ProgramFolder() + "resources.tvx")) {
    std::fprintf(stderr, "play_memory_bench: no resources.tvx beside the program\n");
    return 1;
  }
  return tvx::bench::Play(minutes);
}
