// Writes the shipped recordings: each is a game played on the platform doubles by a small
// autopilot that steers toward the things its script wants to meet, recorded through the
// same decorators `tarvex --record` uses. Run once when a recording must be made again:
//
//   make_replays OUTPUT_FOLDER
//
// and then refresh the expectations (see README).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <set>
#include <string>

#include "core/TempFolder.h"
#include "harness/ReplaySession.h"
#include "harness/TestArchive.h"
#include "platform/KeyboardDevice.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteEngine.h"

namespace {

using tvx::testing::RecordingSession;

// What the pilot drives toward; everything else on the road it keeps away from.
struct Course {
  std::set<std::string> seek;
  bool dodge = true;
};

// The middle and half the width of a sprite's collision rectangle, from its X.
struct Span {
  float centre;
  float half;
};

Span SpanOf(const tvx::TSprite& sprite) {
  const std::string& name = sprite.ImageName;
  if (name.starts_with("car")) return {sprite.X + 47.5f, 17.5f};
  if (name == "barril0") return {sprite.X + 45.0f, 30.0f};
  if (name.starts_with("barril")) return {sprite.X + 32.0f, 16.0f};
  return {sprite.X + 17.5f, 9.5f};
}

constexpr float kCarHalf = 16.5f;
constexpr float kCarOffset = 49.5f;  // from the car's X to the middle of its rectangle

// Picks the lane (car X) whose way there keeps the nearest danger furthest away and, among
// those, reaches a wanted sprite or stays close; steers toward it.
void Steer(RecordingSession& game, const Course& course) {
  const tvx::TGameState& s = game.State();
  constexpr int kLanes = 85;  // X 104 to 440 in steps of 4
  std::array<float, kLanes> clearance;
  std::array<float, kLanes> reward{};
  clearance.fill(1000.0f);
  for (int lane = 0; lane < kLanes; ++lane) {
    const float middle = 104.0f + 4.0f * static_cast<float>(lane) + kCarOffset;
    for (const tvx::TSprite* sprite : game.Form().Engine().SpriteList()) {
      const std::string& name = sprite->ImageName;
      if (sprite->IsDead() || name == "explode" || sprite->Y < -320.0f ||
          sprite->Y > s.PlayerY + 70.0f) {
        continue;
      }
      const bool wanted = course.seek.count(name) != 0;
      const bool obstacle = name.starts_with("car") || name.starts_with("barril");
      if (!wanted && !(obstacle && course.dodge)) continue;
      const Span span = SpanOf(*sprite);
      const float margin = wanted ? -4.0f : (name == "barril2" ? 24.0f : 10.0f);
      if (std::fabs(span.centre - middle) >= span.half + kCarHalf + margin) {
        continue;
      }
      const float distance = std::max(0.0f, s.PlayerY - sprite->Y);
      if (wanted) {
        reward[lane] = std::max(reward[lane], 600.0f - distance);
      } else {
        clearance[lane] = std::min(clearance[lane], distance);
      }
    }
  }
  const int here = std::clamp(static_cast<int>((s.PlayerX - 104.0f) / 4.0f + 0.5f), 0, kLanes - 1);
  float bestX = s.PlayerX;
  float bestScore = -1e9f;
  for (int lane = 0; lane < kLanes; ++lane) {
    float way = 1000.0f;
    for (int step = std::min(lane, here); step <= std::max(lane, here); ++step) {
      way = std::min(way, clearance[step]);
    }
    const float x = 104.0f + 4.0f * static_cast<float>(lane);
    const float score = way + reward[lane] - 0.6f * std::fabs(x - s.PlayerX);
    if (score > bestScore) {
      bestScore = score;
      bestX = x;
    }
  }
  // Touching something: away from it first, whatever lies that way.
  for (const tvx::TSprite* sprite : game.Form().Engine().SpriteList()) {
    const std::string& name = sprite->ImageName;
    if (!course.dodge || sprite->IsDead() || course.seek.count(name) != 0 ||
        !(name.starts_with("car") || name.starts_with("barril"))) {
      continue;
    }
    const Span span = SpanOf(*sprite);
    const float middle = s.PlayerX + kCarOffset;
    if (std::fabs(span.centre - middle) < span.half + kCarHalf + 4.0f &&
        std::fabs(sprite->Y - s.PlayerY) < 75.0f) {
      bestX = span.centre < middle ? s.PlayerX + 40.0f : s.PlayerX - 40.0f;
      if (bestX > 440.0f || bestX < 104.0f) bestX = 2.0f * s.PlayerX - bestX;
    }
  }
  game.keyboard.SetKeyDown(tvx::dik::Left, bestX < s.PlayerX - 2.0f);
  game.keyboard.SetKeyDown(tvx::dik::Right, bestX > s.PlayerX + 2.0f);
  game.keyboard.SetKeyDown(tvx::dik::Up, false);
  game.keyboard.SetKeyDown(tvx::dik::Down, s.PlayerY < 390.0f);
}

// Drives until `done` holds or the frames run out; false when they ran out.
bool Drive(RecordingSession& game, const Course& course, const std::function<bool()>& done,
           int maxFrames) {
  for (int frame = 0; frame < maxFrames; ++frame) {
    if (done()) return true;
    Steer(game, course);
    game.Frame();
  }
  return false;
}

void ReleaseKeys(RecordingSession& game) { game.keyboard.ReleaseAllKeys(); }

// Launcher, title, and on into the first level. The longer the title shows, the more often
// its car comes back with a random place, and so the traffic the game draws differs.
void StartPlaying(RecordingSession& game, int titleFrames = 20) {
  game.app.ClickStart();
  game.Frames(30);
  game.Press(tvx::vk::Control);  // another car
  game.Frames(titleFrames);
  game.Press(tvx::vk::Return);
  Drive(
      game, {}, [&] { return game.State().LevelRunning; }, 600);
}

const Course kRam{{"car0", "car1", "car2", "car3", "barril0", "barril1", "barril2"}, false};

// Ends on the frame the damage bar fills, before the game-over screen clears the field.
bool LostToDamage(RecordingSession& game, int) {
  StartPlaying(game);
  return Drive(
      game, kRam, [&] { return game.State().GameOver; }, 60 * 120);
}

bool ReachesLevelThree(RecordingSession& game, int variant) {
  StartPlaying(game, 20 + 97 * variant);
  const Course careful{{"engrenagem"}, true};
  // A pause on the way, as a player takes one.
  Drive(
      game, careful, [] { return false; }, 60 * 10);
  game.Press(tvx::vk::Return);
  game.Frames(90);
  game.Press(tvx::vk::Return);
  const bool reached = Drive(
      game, careful, [&] { return game.State().Level == 3 && game.State().LevelRunning; },
      60 * 150);
  if (!reached || game.State().GameOver) return false;
  Drive(
      game, careful, [] { return false; }, 60 * 5);
  return true;
}

bool JetStarsRepairExplosions(RecordingSession& game, int variant) {
  StartPlaying(game, 20 + 97 * variant);
  bool jet = false, stars = false, repair = false, explosion = false;
  std::size_t damage = 0;
  const auto seen = [&] {
    const tvx::TGameState& s = game.State();
    jet = jet || s.JetActive;
    stars = stars || s.StarsActive;
    repair = repair || s.DamageBar.size() < damage;
    damage = s.DamageBar.size();
    for (const tvx::TSprite* sprite : game.Form().Engine().SpriteList()) {
      explosion = explosion || sprite->ImageName == "explode";
    }
    return s.GameOver || (jet && stars && repair && explosion);
  };
  // Each kind is sought until it has been met; repairs again whenever the car is worn.
  for (int frame = 0; frame < 60 * 200 && !seen(); ++frame) {
    Course hunt{{}, true};
    if (!jet) hunt.seek.insert("gelb");
    if (!stars) hunt.seek.insert("gelbpreta");
    if (!repair || damage > 12) hunt.seek.insert("engrenagem");
    if (!explosion && damage < 12) hunt.seek.insert("barril2");
    Steer(game, hunt);
    game.Frame();
  }
  if (!(jet && stars && repair && explosion) || game.State().GameOver) return false;
  Drive(
      game, {{"engrenagem"}, true}, [] { return false; }, 60 * 2);
  return true;
}

bool RankingEntry(RecordingSession& game, int) {
  StartPlaying(game);
  if (!Drive(
          game, kRam, [&] { return game.State().GameOver; }, 60 * 120))
    return false;
  ReleaseKeys(game);
  game.Frames(90);
  game.Press(tvx::vk::Return);
  game.Frames(30);
  for (const char letter : std::string("ACE")) {
    game.Press(static_cast<std::uint16_t>(letter));
    game.Frames(8);
  }
  game.Press(tvx::vk::Return);
  game.Frames(120);
  return !game.State().Ranking.empty();
}

constexpr int kVariants = 40;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_replays OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string out = std::string(argv[1]) + "/";
  tvx::TempFolder folder;
  if (!tvx::testing::WriteTestArchive(folder.Path() + "resources.tvx")) return 1;
  const struct {
    const char* name;
    // `variant` shifts the player's timing, and with it the traffic the game sends.
    bool (*play)(RecordingSession&, int variant);
  } games[] = {
      {"lost_to_damage", LostToDamage},
      {"reaches_level_3", ReachesLevelThree},
      {"jet_stars_repair_explosions", JetStarsRepairExplosions},
      {"ranking_entry", RankingEntry},
  };
  int failures = 0;
  for (const auto& game : games) {
    const std::string path = out + game.name + ".replay";
    std::string error;
    bool played = false;
    for (int variant = 0; variant < kVariants && !played; ++variant) {
      RecordingSession session(folder.Path(), path);
      // A recording ends where the game is worth comparing, as when a player closes the
      // window: the game has not quit.
      played = session.Recording() && game.play(session, variant) && session.Finish(error);
    }
    std::fprintf(stderr, "%s: %s %s\n", path.c_str(), played ? "written" : "FAILED", error.c_str());
    failures += played ? 0 : 1;
  }
  return failures == 0 ? 0 : 1;
}
