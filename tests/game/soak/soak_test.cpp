// An hour of virtual play on the doubles by a seeded random driver that steers, pauses,
// goes for pick-ups, crashes out, gives up, restarts and enters names. Throughout, the play
// field holds no more sprites than the spawner's largest cap allows plus what one spawn and
// the effects add; every ranking file the game writes reads back as a valid table; and the
// heap in use when the driver is back on the title screen is what it was at the start.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include "core/TempFolder.h"
#include "game/RankingFile.h"
#include "game/RankingTable.h"
#include "harness/GameHarness.h"
#include "harness/TestArchive.h"
#include "platform/KeyboardDevice.h"
#include "platform/doubles/RecordingGraphicsApi.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteEngine.h"

namespace tvx::testing {
namespace {

constexpr std::uint32_t kHourMs = 60 * 60 * 1000;
constexpr std::uint32_t kStepMs = 100;
constexpr std::int64_t kFrameUs = 16667;
// The largest cap of the spawner, then what one of its events may add past it (a barrel
// pair, an obstacle, a pick-up), and the three effects (smoke, fire jet, stars).
constexpr std::int32_t kSpriteBound = 16 + 4 + 3;
constexpr std::size_t kHeapSlack = 256 * 1024;

std::size_t HeapInUse() { return mallinfo2().uordblks; }

class Driver {
 public:
  Driver(GameHarness& game, const std::string& rankingPath)
      : game_(game), rankingPath_(rankingPath) {}

  // One step of play: keys for the next stretch of virtual time.
  void Step() {
    TGameState& s = game_.State();
    if (s.GameOver && s.RankingMode) {
      EnterName();
    } else if (s.GameOver) {
      game_.Press(Chance(0.6) ? vk::Return : vk::Escape);
    } else if (!s.InGame) {
      if (Chance(0.3)) game_.Press(vk::Control);
      if (Chance(0.5)) game_.Press(vk::Return);
    } else if (s.LevelRunning) {
      Drive(s);
    }
  }

  int Names() const { return names_; }
  int RankingReads() const { return rankingReads_; }

 private:
  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }

  void Drive(const TGameState& s) {
    if (Chance(0.004)) {
      game_.Press(vk::Escape);  // crashes out to the title
      return;
    }
    if (Chance(s.Paused ? 0.2 : 0.01)) game_.Press(vk::Return);
    if (s.Paused) return;
    // Most of the time toward the nearest pick-up, otherwise wandering.
    const TSprite* pickUp = nullptr;
    for (const TSprite* sprite : game_.Form().Engine().SpriteList()) {
      const std::string& name = sprite->ImageName;
      if (name == "engrenagem" || name == "gelb" || name == "gelbpreta") {
        if (pickUp == nullptr || sprite->Y > pickUp->Y) pickUp = sprite;
      }
    }
    bool left = Chance(0.4);
    bool right = !left && Chance(0.6);
    if (pickUp != nullptr && Chance(0.7)) {
      left = pickUp->X + 18.0f < s.PlayerX + 50.0f;
      right = !left;
    }
    game_.keyboard.SetKeyDown(dik::Left, left);
    game_.keyboard.SetKeyDown(dik::Right, right);
    game_.keyboard.SetKeyDown(dik::Up, Chance(0.15));
    game_.keyboard.SetKeyDown(dik::Down, Chance(0.15));
  }

  void EnterName() {
    game_.keyboard.ReleaseAllKeys();
    const int letters = std::uniform_int_distribution<int>(0, 7)(random_);
    for (int i = 0; i < letters; ++i) {
      const int letter = std::uniform_int_distribution<int>(0, 26)(random_);
      game_.Press(letter == 26 ? vk::Space : static_cast<std::uint16_t>(vk::A + letter));
    }
    // One ENTER per frame: two before a frame complete the name twice, a fault mended
    // apart from this test.
    if (letters < 6) game_.Press(vk::Return);
    game_.RunFor(500);
    ++names_;
    const std::optional<std::string> text = LoadRankingFile(rankingPath_);
    if (text) {
      ++rankingReads_;
      EXPECT_TRUE(IsValidRanking(RankingLinesOf(*text))) << *text;
    }
    EXPECT_TRUE(text) << "the ranking file written does not read back";
    game_.Press(vk::Escape);
  }

  GameHarness& game_;
  std::string rankingPath_;
  std::mt19937 random_{20261208};
  int names_ = 0;
  int rankingReads_ = 0;
};

TEST(Soak, AnHourOfPlayKeepsSpritesHeapAndRankingInBounds) {
  TempFolder folder;
  ASSERT_TRUE(WriteTestArchive(folder.Path() + "resources.tvx"));
  gfx::RecordingGraphicsApi graphics;
  graphics.SetLogging(false);
  GameHarness game(graphics, folder.Path());
  game.audio.SetLogging(false);
  game.Start();
  ASSERT_TRUE(game.State().DeviceReady);
  Driver driver(game, folder.Path() + "ranking.rkg");
  // The first game grows the containers that later games reuse.
  game.StartLevel();
  game.Press(vk::Escape);
  game.RunFor(1000);
  game.keyboard.ClearCalls();
  game.clock.ClearSleeps();
  const std::size_t heapStart = HeapInUse();

  const auto wallStart = std::chrono::steady_clock::now();
  const std::int64_t startUs = game.clock.NowMicroseconds();
  const std::int64_t endUs = startUs + std::int64_t{kHourMs} * 1000;
  std::int32_t peakSprites = 0;
  bool withinBound = true;
  while (game.clock.NowMicroseconds() < endUs && !game.app.Terminated()) {
    driver.Step();
    // A 60 Hz display's frame time before each pass of the message loop, as vsync gives.
    for (std::uint32_t ms = 0; ms < kStepMs && !game.app.Terminated(); ms += 17) {
      game.clock.AdvanceMicroseconds(kFrameUs);
      game.app.RunPass();
      const std::int32_t count = game.Form().Engine().Count();
      peakSprites = std::max(peakSprites, count);
      withinBound = withinBound && count <= kSpriteBound;
    }
    // The doubles' own records of calls would grow for the whole hour.
    game.keyboard.ClearCalls();
    game.clock.ClearSleeps();
  }
  ASSERT_FALSE(game.app.Terminated());
  // Back to the title screen, where the measurement began.
  game.keyboard.ReleaseAllKeys();
  game.RunUntil(
      [&] {
        if (game.State().InGame || game.State().GameOver) game.Press(vk::Escape);
        return !game.State().InGame && !game.State().GameOver;
      },
      5000);
  game.RunFor(1000);
  game.keyboard.ClearCalls();
  game.clock.ClearSleeps();
  const std::size_t heapEnd = HeapInUse();
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();

  std::printf(
      "soak: %.0f s of virtual time, %llu frames, %d names entered, peak %d sprites, "
      "heap %zu bytes at the start and %zu at the end, %.1f s wall time\n",
      static_cast<double>(game.clock.NowMicroseconds() - startUs) / 1e6,
      static_cast<unsigned long long>(graphics.Count(gfx::Call::Present)), driver.Names(),
      peakSprites, heapStart, heapEnd, wall);
  EXPECT_TRUE(withinBound) << "peak " << peakSprites << " sprites";
  EXPECT_GT(driver.Names(), 0);
  EXPECT_EQ(driver.RankingReads(), driver.Names());
  EXPECT_LE(heapEnd, heapStart + kHeapSlack);
}

}  // namespace
}  // namespace tvx::testing
