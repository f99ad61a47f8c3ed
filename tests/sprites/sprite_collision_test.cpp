// The pair test in its three shapes and the engine's collision pass over the live list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "journal_sprite.h"

namespace tvx::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

FloatQuad Square(float left, float top, float side) { return pBounds4(left, top, side, side); }

class CollisionTest : public ::testing::Test {
 protected:
  JournalSprite* Make(const std::string& name) {
    auto* sprite = engine.Create<JournalSprite>(journal, name);
    sprite->CanCollide = true;
    return sprite;
  }
  JournalSprite* Circle(const std::string& name, float x, float y, std::int32_t radius) {
    auto* sprite = Make(name);
    sprite->CollideCenterX = x;
    sprite->CollideCenterY = y;
    sprite->CollideRadius = radius;
    return sprite;
  }
  JournalSprite* Rect(const std::string& name, gfx::Rect rect) {
    auto* sprite = Make(name);
    sprite->CollideMode = 1;
    sprite->CollideRect = rect;
    return sprite;
  }
  JournalSprite* Quad(const std::string& name, const FloatQuad& quad) {
    auto* sprite = Make(name);
    sprite->CollideMode = 2;
    sprite->CollideQuad = quad;
    return sprite;
  }

  Journal journal;
  TSpriteEngine engine;
};

TEST_F(CollisionTest, CirclesCollideOnlyWhenTheRadiusSumExceedsTheDistance) {
  auto* a = Circle("a", 0.0f, 0.0f, 2);
  auto* touching = Circle("touching", 3.0f, 4.0f, 3);
  a->CollideWith(*touching);
  EXPECT_FALSE(a->Collided);
  EXPECT_THAT(journal, IsEmpty());

  auto* overlapping = Circle("overlapping", 3.0f, 4.0f, 4);
  a->CollideWith(*overlapping);
  EXPECT_TRUE(a->Collided);
  EXPECT_FALSE(overlapping->Collided);  // only the caller records the result
  EXPECT_THAT(journal, ElementsAre("a hit by overlapping", "overlapping hit by a"));
}

TEST_F(CollisionTest, RectanglesSharingAnEdgeDoNotCollide) {
  auto* a = Rect("a", {0, 0, 10, 10});
  auto* right = Rect("right", {10, 0, 20, 10});
  auto* below = Rect("below", {0, 10, 10, 20});
  a->CollideWith(*right);
  a->CollideWith(*below);
  EXPECT_THAT(journal, IsEmpty());

  auto* overlapping = Rect("overlapping", {9, 9, 30, 30});
  a->CollideWith(*overlapping);
  EXPECT_TRUE(a->Collided);
  EXPECT_THAT(journal, ElementsAre("a hit by overlapping", "overlapping hit by a"));
}

TEST_F(CollisionTest, OnlyTheCallersModeDecides) {
  auto* rect = Rect("rect", {0, 0, 10, 10});
  auto* circle = Circle("circle", 100.0f, 100.0f, 1);
  circle->CollideRect = {5, 5, 6, 6};
  rect->CollideWith(*circle);
  EXPECT_TRUE(rect->Collided);
  circle->CollideWith(*rect);  // circles far apart: the rectangle's radius is 0
  EXPECT_FALSE(circle->Collided);
}

TEST_F(CollisionTest, UnknownModesNeverCollide) {
  auto* a = Circle("a", 0.0f, 0.0f, 50);
  auto* b = Circle("b", 0.0f, 0.0f, 50);
  a->CollideMode = 3;
  a->CollideWith(*b);
  EXPECT_FALSE(a->Collided);
  EXPECT_THAT(journal, IsEmpty());
}

TEST_F(CollisionTest, DeadOrNonCollidingPairsResetCollidedAndDoNotReact) {
  auto* a = Circle("a", 0.0f, 0.0f, 5);
  auto* dead = Circle("dead", 0.0f, 0.0f, 5);
  auto* aloof = Circle("aloof", 0.0f, 0.0f, 5);
  dead->Kill();
  aloof->CanCollide = false;
  for (auto [self, other] : {std::pair{a, dead}, {a, aloof}, {dead, a}, {aloof, a}}) {
    self->Collided = true;
    self->CollideWith(*other);
    EXPECT_FALSE(self->Collided) << self->SpriteName << " with " << other->SpriteName;
  }
  EXPECT_THAT(journal, IsEmpty());
}

TEST_F(CollisionTest, QuadModeTestsOnlyTheOthersCornersAgainstTheCaller) {
  auto* outer = Quad("outer", Square(0.0f, 0.0f, 10.0f));
  auto* inner = Quad("inner", Square(2.0f, 2.0f, 2.0f));
  outer->CollideWith(*inner);
  EXPECT_TRUE(outer->Collided);
  inner->CollideWith(*outer);
  EXPECT_FALSE(inner->Collided);
  EXPECT_THAT(journal, ElementsAre("outer hit by inner", "inner hit by outer"));
}

TEST_F(CollisionTest, AQuadCornerOnTheCallersEdgeCounts) {
  auto* caller = Quad("caller", Square(0.0f, 0.0f, 10.0f));
  auto* onEdge = Quad("onEdge", Square(10.0f, 4.0f, 3.0f));
  auto* outside = Quad("outside", Square(10.5f, 4.0f, 3.0f));
  caller->CollideWith(*onEdge);
  EXPECT_TRUE(caller->Collided);
  caller->CollideWith(*outside);
  EXPECT_FALSE(caller->Collided);
}

TEST_F(CollisionTest, QuadProductsAreRoundedToSinglePrecision) {
  // A corner 1e-30 left of a 1e-20 square: the product of the two is -1e-50, which is
  // negative in any wider type but becomes -0 as a 32-bit float, and so counts as inside.
  const float side = 1e-20f;
  auto* caller = Quad("caller", Square(0.0f, 0.0f, side));
  const FloatPoint corner{-1e-30f, side / 2};
  auto* other = Quad("other", FloatQuad{{corner, corner, corner, corner}});
  caller->CollideWith(*other);
  EXPECT_TRUE(caller->Collided);
}

TEST_F(CollisionTest, ThePassTestsEachPairOnceWithTheLowerIndexAsCaller) {
  auto* c = Circle("c", 0.0f, 0.0f, 5);
  Circle("b", 0.0f, 0.0f, 5);
  auto* a = Circle("a", 0.0f, 0.0f, 5);
  c->SetZ(1);
  auto* aside = Circle("aside", 0.0f, 0.0f, 5);
  aside->CanCollide = false;
  aside->Collided = true;
  ASSERT_THAT(ListNames(engine), ElementsAre("aside", "a", "b", "c"));
  engine.CheckCollisions();
  EXPECT_THAT(journal, ElementsAre("a hit by b", "b hit by a", "a hit by c", "c hit by a",
                                   "b hit by c", "c hit by b"));
  EXPECT_TRUE(a->Collided);
  EXPECT_TRUE(aside->Collided);  // the pass skips a non-colliding pair without testing it
}

TEST_F(CollisionTest, ADepthChangedByAReactionReordersTheRestOfThePass) {
  Circle("a", 0.0f, 0.0f, 5);
  Circle("b", 0.0f, 0.0f, 5);
  auto* c = Circle("c", 0.0f, 0.0f, 5);
  c->OnHit = [](TSprite& self, TSprite&) { self.SetZ(5); };
  ASSERT_THAT(ListNames(engine), ElementsAre("c", "b", "a"));
  engine.CheckCollisions();
  // After the first reaction the list is b, a, c: index 0 is now b, and b and a never meet.
  EXPECT_THAT(journal, ElementsAre("c hit by b", "b hit by c", "b hit by c", "c hit by b",
                                   "a hit by c", "c hit by a"));
}

TEST_F(CollisionTest, AReactionThatKillsEndsTheVictimsCollisionsForTheRestOfThePass) {
  Circle("a", 0.0f, 0.0f, 5);
  Circle("b", 0.0f, 0.0f, 5);
  auto* killer = Circle("killer", 0.0f, 0.0f, 5);
  killer->OnHit = [](TSprite&, TSprite& other) { other.Kill(); };
  engine.CheckCollisions();
  EXPECT_THAT(journal, ElementsAre("killer hit by b", "b hit by killer", "killer hit by a",
                                   "a hit by killer"));
  EXPECT_EQ(engine.Count(), 3);
  engine.RemoveDead();
  EXPECT_THAT(ListNames(engine), ElementsAre("killer"));
}

}  // namespace
}  // namespace tvx::testing
