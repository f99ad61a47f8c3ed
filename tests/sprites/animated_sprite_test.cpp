// The animation step of TAnimatedSprite in every play mode, its setters and its Assign.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "sprites/AnimatedSprite.h"
#include "sprites/SpriteEngine.h"

namespace tvx::testing {
namespace {

using ::testing::ElementsAre;

class AnimationTest : public ::testing::Test {
 protected:
  // Animates start..start+count-1 from the first pattern.
  TAnimatedSprite* Make(std::uint8_t mode, std::int32_t start, std::int32_t count, float speed,
                        bool loop) {
    auto* sprite = engine.Create<TAnimatedSprite>();
    sprite->SetAnimation("boom", start, count, speed, loop, mode);
    sprite->AnimPos = static_cast<float>(start);
    return sprite;
  }

  // The pattern after each of `ticks` moves.
  static std::vector<std::int32_t> Patterns(TAnimatedSprite& sprite, int ticks,
                                            float moveCount = 1.0f) {
    std::vector<std::int32_t> patterns;
    for (int i = 0; i < ticks; ++i) {
      sprite.Move(moveCount);
      EXPECT_EQ(sprite.ImageNumber, sprite.PatternIndex);
      patterns.push_back(sprite.PatternIndex);
    }
    return patterns;
  }

  TSpriteEngine engine;
};

TEST_F(AnimationTest, ANewAnimatedSpriteAnimatesForwardInALoop) {
  auto* sprite = engine.Create<TAnimatedSprite>();
  EXPECT_TRUE(sprite->Animating);
  EXPECT_TRUE(sprite->AnimLoop);
  EXPECT_EQ(sprite->AnimPlayMode, 0);
  EXPECT_EQ(sprite->AnimSpeed, 0.0f);
  EXPECT_EQ(sprite->X, 200.0f);  // the base defaults come first
  EXPECT_EQ(engine.Items(0), sprite);
}

TEST_F(AnimationTest, ForwardWithoutLoopEndsOnTheLastPattern) {
  auto* sprite = Make(0, 2, 3, 1.0f, false);
  // The end test is strict, so the pattern one past the last shows for one tick.
  EXPECT_THAT(Patterns(*sprite, 5), ElementsAre(3, 4, 5, 4, 4));
  EXPECT_FALSE(sprite->Animating);
  EXPECT_EQ(sprite->AnimPos, 4.0f);
  EXPECT_FALSE(sprite->AnimEnded);  // it jumped from 5 to 6, past the end pattern
}

TEST_F(AnimationTest, ForwardMarksTheEndWhenItPassesWithinTheEndPattern) {
  auto* sprite = Make(0, 2, 3, 0.5f, true);
  EXPECT_THAT(Patterns(*sprite, 8), ElementsAre(2, 3, 3, 4, 4, 5, 2, 2));
  EXPECT_TRUE(sprite->AnimEnded);
  EXPECT_TRUE(sprite->Animating);
}

TEST_F(AnimationTest, ForwardWithLoopWrapsToTheStart) {
  auto* sprite = Make(0, 2, 3, 1.0f, true);
  EXPECT_THAT(Patterns(*sprite, 6), ElementsAre(3, 4, 5, 2, 3, 4));
  EXPECT_TRUE(sprite->Animating);
}

TEST_F(AnimationTest, MoveCountScalesTheStep) {
  auto* sprite = Make(0, 0, 10, 0.5f, true);
  EXPECT_THAT(Patterns(*sprite, 3, 3.0f), ElementsAre(1, 3, 4));
}

TEST_F(AnimationTest, PatternsTruncateTowardZero) {
  auto* sprite = Make(0, -3, 6, 0.5f, true);
  EXPECT_THAT(Patterns(*sprite, 4), ElementsAre(-2, -2, -1, -1));
}

TEST_F(AnimationTest, BackwardWrapsToTheLastPatternWithLoop) {
  auto* sprite = Make(1, 2, 3, 1.0f, true);
  sprite->AnimPos = 4.0f;
  EXPECT_THAT(Patterns(*sprite, 4), ElementsAre(3, 2, 4, 3));
  EXPECT_TRUE(sprite->Animating);
}

TEST_F(AnimationTest, BackwardWithoutLoopStopsOnTheStart) {
  auto* sprite = Make(1, 2, 3, 1.0f, false);
  sprite->AnimPos = 4.0f;
  EXPECT_THAT(Patterns(*sprite, 4), ElementsAre(3, 2, 2, 2));
  EXPECT_FALSE(sprite->Animating);
}

TEST_F(AnimationTest, PingPongWithLoopBouncesForever) {
  auto* sprite = Make(2, 0, 3, 1.0f, true);
  EXPECT_THAT(Patterns(*sprite, 8), ElementsAre(1, 2, 3, 2, 1, 0, -1, 0));
  EXPECT_TRUE(sprite->Animating);
  EXPECT_EQ(sprite->AnimSpeed, 1.0f);
}

TEST_F(AnimationTest, PingPongWithoutLoopStopsBackAtTheStart) {
  auto* sprite = Make(2, 0, 2, 1.0f, false);
  EXPECT_THAT(Patterns(*sprite, 3), ElementsAre(1, 2, 3));
  EXPECT_TRUE(sprite->EndReached);
  EXPECT_FALSE(sprite->StartReached);
  EXPECT_EQ(sprite->AnimSpeed, -1.0f);
  EXPECT_THAT(Patterns(*sprite, 3), ElementsAre(2, 1, 0));
  EXPECT_FALSE(sprite->Animating);
  EXPECT_FALSE(sprite->EndReached);
  EXPECT_FALSE(sprite->StartReached);
  EXPECT_THAT(Patterns(*sprite, 1), ElementsAre(0));
}

TEST_F(AnimationTest, OtherModesHoldThePositionButStillSetThePattern) {
  auto* sprite = Make(7, 0, 5, 1.0f, true);
  sprite->AnimPos = 3.75f;
  EXPECT_THAT(Patterns(*sprite, 2), ElementsAre(3, 3));
  EXPECT_EQ(sprite->AnimPos, 3.75f);
}

TEST_F(AnimationTest, NothingChangesWhileMovingOrAnimatingIsOff) {
  auto* sprite = Make(0, 0, 5, 1.0f, true);
  sprite->MoveEnabled = false;
  sprite->Move(1.0f);
  sprite->MoveEnabled = true;
  sprite->Animating = false;
  sprite->PatternIndex = 9;
  sprite->Move(1.0f);
  EXPECT_EQ(sprite->AnimPos, 0.0f);
  EXPECT_EQ(sprite->PatternIndex, 9);
}

TEST_F(AnimationTest, TheEngineMovePassAnimates) {
  auto* sprite = Make(0, 0, 5, 1.0f, true);
  engine.Move(2.0f);
  EXPECT_EQ(sprite->PatternIndex, 2);
}

TEST_F(AnimationTest, SetAnimStartMovesThePositionOnlyForANewStart) {
  auto* sprite = Make(0, 4, 5, 1.0f, true);
  sprite->AnimPos = 6.5f;
  sprite->SetAnimStart(4);
  EXPECT_EQ(sprite->AnimPos, 6.5f);
  sprite->SetAnimStart(2);
  EXPECT_EQ(sprite->AnimStart, 2);
  EXPECT_EQ(sprite->AnimPos, 2.0f);
}

TEST_F(AnimationTest, TheAnimationSettersStoreEverythingButThePosition) {
  auto* sprite = engine.Create<TAnimatedSprite>();
  sprite->AnimPos = 1.5f;
  sprite->SetAnimationEx("spark", 3, 4, 0.25f, false, true, false, 2);
  EXPECT_EQ(sprite->ImageName, "spark");
  EXPECT_EQ(sprite->AnimStart, 3);
  EXPECT_EQ(sprite->AnimCount, 4);
  EXPECT_EQ(sprite->AnimSpeed, 0.25f);
  EXPECT_FALSE(sprite->AnimLoop);
  EXPECT_TRUE(sprite->Mirror);
  EXPECT_FALSE(sprite->Animating);
  EXPECT_EQ(sprite->AnimPlayMode, 2);
  EXPECT_EQ(sprite->AnimPos, 1.5f);

  sprite->SetAnimation("smoke", 0, 2, 1.0f, true, 1);
  EXPECT_EQ(sprite->ImageName, "smoke");
  EXPECT_EQ(sprite->AnimPlayMode, 1);
  EXPECT_TRUE(sprite->AnimLoop);
  EXPECT_TRUE(sprite->Mirror);  // left to SetAnimationEx
  EXPECT_FALSE(sprite->Animating);
  EXPECT_EQ(sprite->AnimPos, 1.5f);
}

TEST_F(AnimationTest, AssignTakesTheAnimationButNotThePlayMode) {
  auto* source = Make(2, 3, 4, 0.5f, false);
  source->Animating = false;
  source->X = 40.0f;
  auto* copy = Make(1, 0, 1, 2.0f, true);
  copy->Assign(*source);
  EXPECT_EQ(copy->AnimStart, 3);
  EXPECT_EQ(copy->AnimPos, 3.0f);  // through SetAnimStart
  EXPECT_EQ(copy->AnimCount, 4);
  EXPECT_EQ(copy->AnimSpeed, 0.5f);
  EXPECT_FALSE(copy->AnimLoop);
  EXPECT_FALSE(copy->Animating);
  EXPECT_EQ(copy->AnimPlayMode, 1);
  EXPECT_EQ(copy->X, 40.0f);
}

TEST_F(AnimationTest, AssignFromAPlainSpriteKeepsTheAnimation) {
  auto* plain = engine.Create<TSprite>();
  plain->ImageName = "road0";
  auto* copy = Make(0, 2, 3, 1.0f, true);
  copy->Assign(*plain);
  EXPECT_EQ(copy->ImageName, "road0");
  EXPECT_EQ(copy->AnimStart, 2);
  EXPECT_EQ(copy->AnimSpeed, 1.0f);
}

}  // namespace
}  // namespace tvx::testing
