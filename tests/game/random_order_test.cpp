// The order of the program's random draws, which is part of how a game plays out: from seed
// 0 the draws at load, title car re-entry, level set-up and every game-over frame follow one
// another with nothing drawn in between, and from level 7 on a spawner event draws the
// barrel pair, the main obstacle, the pick-up and the wait in that order.
#include <vector>

#include "core/Random.h"
#include "game/Barrier.h"
#include "game/SoundNames.h"
#include "game_fixture.h"
#include "sprites/SpriteEngine.h"

namespace tvx::testing {
namespace {

// The generator run beside the program's from a seed of its own, leaving the program's as it was.
class Shadow {
 public:
  explicit Shadow(std::uint32_t seed) : seed_(seed) {}
  std::int32_t Next(std::int32_t n) {
    const std::uint32_t program = RandSeed();
    SetRandSeed(seed_);
    const std::int32_t value = Random(n);
    seed_ = RandSeed();
    SetRandSeed(program);
    return value;
  }
  // A lane on the road as the game draws it: redrawn when too far left.
  std::int32_t Lane(std::int32_t second, std::int32_t lowest) {
    const std::int32_t x = Next(440);
    return x <= 105 ? Next(second) + lowest : x;
  }
  std::uint32_t Seed() const { return seed_; }

 private:
  std::uint32_t seed_;
};

using RandomOrder = GameTest;

TEST_F(RandomOrder, LoadTitleCarSetUpAndGameOverFramesFollowTheGeneratorFromSeedZero) {
  Shadow shadow(0);
  EXPECT_EQ(State().TitleCarX, shadow.Next(300) + 105);  // at load
  EXPECT_EQ(RandSeed(), shadow.Seed());

  for (int entry = 0; entry < 3; ++entry) {
    bool low = true;  // the car re-enters at -100 once it has gone past the bottom
    ASSERT_TRUE(RunUntil(
        [&] {
          low = low && State().TitleCarY < 0;
          return !low && State().TitleCarY == -100;
        },
        20000));
    EXPECT_EQ(State().TitleCarX, shadow.Lane(300, 105)) << "re-entry " << entry;
    EXPECT_EQ(RandSeed(), shadow.Seed()) << "re-entry " << entry;
  }

  harness->StartLevel();
  Form().Timer1().SetEnabled(false);  // the spawner's draws are the other test's
  const std::int32_t road = shadow.Next(4);
  EXPECT_EQ(State().MusicIndex, shadow.Next(sound::ChosenMusicSlots));
  EXPECT_EQ(RandSeed(), shadow.Seed());
  bool roadShown = false;
  for (const TSprite* sprite : Form().Engine().SpriteList())
    roadShown = roadShown || sprite->ImageName == "road" + std::to_string(road);
  EXPECT_TRUE(roadShown);

  State().DamageBar = std::string(31, '|');
  int gameOverFrames = 0;
  for (int pass = 0; pass < 100 && gameOverFrames < 5; ++pass) {
    const std::uint64_t framesBefore = graphics.Count(gfx::Call::BeginScene);
    harness->RunPasses(1);
    const auto frames = static_cast<int>(graphics.Count(gfx::Call::BeginScene) - framesBefore);
    ASSERT_TRUE(State().GameOver);
    for (int frame = 0; frame < frames; ++frame, ++gameOverFrames)
      EXPECT_EQ(State().TitleCarImage, shadow.Next(4)) << "game-over frame " << gameOverFrames;
    EXPECT_EQ(RandSeed(), shadow.Seed());
  }
  EXPECT_GE(gameOverFrames, 5);
}

TEST_F(RandomOrder, FromLevelSevenTheSpawnerDrawsPairMainObstaclePickUpThenTheWait) {
  const char* const obstacles[] = {"car0", "car1", "car2", "car3", "barril0", "barril1", "barril2"};
  int pairs = 0, pickUps = 0;
  for (int level = 7; level <= 20; ++level) {
    State().Level = level;
    for (std::uint32_t seed = 0; seed < 60; ++seed) {
      Shadow shadow(seed);
      const bool pair = level >= 9 && shadow.Next(10) == 1;
      if (pair) shadow.Lane(340, 104);
      const std::int32_t kind = shadow.Next(7);
      shadow.Lane(340, 105);
      shadow.Next(5);
      const bool pickUp = shadow.Next(10) == 5;
      if (pickUp) {
        shadow.Next(3);
        shadow.Lane(340, 105);
      }
      const std::int32_t wait = shadow.Next(3000 / level);

      Form().Engine().Clear();
      SetRandSeed(seed);
      Form().Timer1Timer();
      EXPECT_EQ(RandSeed(), shadow.Seed()) << "level " << level << " seed " << seed;
      EXPECT_EQ(Form().Timer1().Interval(), wait == 0 ? 1000u : static_cast<std::uint32_t>(wait));
      EXPECT_EQ(Form().Engine().Count(), (pair ? 2 : 0) + 1 + (pickUp ? 1 : 0));
      bool mainSeen = false;
      for (const TSprite* sprite : Form().Engine().SpriteList()) {
        const auto* barrier = dynamic_cast<const TBarrier*>(sprite);
        mainSeen = mainSeen || (barrier != nullptr && barrier->Hits == 10 &&
                                barrier->ImageName == obstacles[kind]);
      }
      EXPECT_TRUE(mainSeen) << "level " << level << " seed " << seed;
      pairs += pair;
      pickUps += pickUp;
    }
  }
  EXPECT_GT(pairs, 0);
  EXPECT_GT(pickUps, 0);
}

}  // namespace
}  // namespace tvx::testing
