// The engine's lists: depth order on insertion and on SetZ, the move and draw passes, Kill
// and the ways sprites are freed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "journal_sprite.h"

namespace tvx::testing {
namespace {

using ::testing::ElementsAre;

class SpriteListTest : public ::testing::Test {
 protected:
  JournalSprite* Make(const std::string& name, std::int32_t z = 0) {
    auto* sprite = engine.Create<JournalSprite>(journal, name);
    sprite->SetZ(z);
    return sprite;
  }

  Journal journal;
  TSpriteEngine engine;
};

TEST_F(SpriteListTest, ANewSpriteHasTheDefaultProperties) {
  TSprite* sprite = engine.Create<TSprite>();
  EXPECT_EQ(&sprite->Engine(), &engine);
  EXPECT_EQ(engine.Items(0), sprite);
  EXPECT_EQ(sprite->X, 200.0f);
  EXPECT_EQ(sprite->Y, 200.0f);
  EXPECT_EQ(sprite->Z(), 0);
  EXPECT_EQ(sprite->DrawQuad.p[2].x, 10.0f);
  EXPECT_EQ(sprite->DrawQuad.p[3].y, 10.0f);
  EXPECT_EQ(sprite->DrawEffect, 1284);
  EXPECT_EQ(sprite->Centred, 1);
  EXPECT_EQ(sprite->CornerColors.c[3], 0xFFFFFFFFu);
  EXPECT_EQ(sprite->Alpha, 255);
  EXPECT_EQ(sprite->ImageNaming, 1);
  EXPECT_EQ(sprite->DrawBounds.left, -200);
  EXPECT_EQ(sprite->DrawBounds.bottom, 768);
  EXPECT_TRUE(sprite->Visible);
  EXPECT_TRUE(sprite->MoveEnabled);
  EXPECT_FALSE(sprite->CanCollide);
  EXPECT_FALSE(sprite->IsDead());
}

TEST_F(SpriteListTest, TheNewestOfEqualDepthsIsMovedAndDrawnFirst) {
  Make("old");
  Make("new");
  EXPECT_THAT(ListNames(engine), ElementsAre("new", "old"));
  engine.Move(1.0f);
  engine.Draw();
  EXPECT_THAT(journal, ElementsAre("move new", "move old", "draw new", "draw old"));
}

// A sprite that creates another one in its Move, as a spawner would.
class SpawningSprite : public JournalSprite {
 public:
  using JournalSprite::JournalSprite;
  void Move(float moveCount) override {
    JournalSprite::Move(moveCount);
    if (!spawned_) Engine().Create<JournalSprite>(journal_, "spawned");
    spawned_ = true;
  }

 private:
  bool spawned_ = false;
};

TEST_F(SpriteListTest, TheMovePassCoversOnlyTheSpritesThereAtItsStart) {
  engine.Create<SpawningSprite>(journal, "spawner")->SetZ(-1);
  engine.Move(1.0f);
  EXPECT_THAT(ListNames(engine), ElementsAre("spawner", "spawned"));
  EXPECT_THAT(journal, ElementsAre("move spawner"));
}

TEST_F(SpriteListTest, SpritesAreKeptInAscendingDepth) {
  Make("a", 5);
  Make("b", -3);
  Make("c", 5);
  Make("d", 0);
  Make("e", 10);
  Make("f", -3);
  EXPECT_THAT(ListNames(engine), ElementsAre("f", "b", "d", "c", "a", "e"));
}

TEST_F(SpriteListTest, ExtremeDepthsStillSort) {
  Make("top", 2147483647);
  Make("bottom", -2147483647 - 1);
  Make("middle", 0);
  EXPECT_THAT(ListNames(engine), ElementsAre("bottom", "middle", "top"));
}

TEST_F(SpriteListTest, SetZWithTheCurrentDepthKeepsThePlace) {
  auto* first = Make("first", 4);
  Make("second", 4);
  first->SetZ(4);
  EXPECT_THAT(ListNames(engine), ElementsAre("second", "first"));
}

TEST_F(SpriteListTest, SetZMovesInFrontOfTheSpritesOfTheNewDepth) {
  auto* mover = Make("mover", 1);
  Make("x", 7);
  Make("y", 7);
  Make("z", 9);
  mover->SetZ(7);
  EXPECT_THAT(ListNames(engine), ElementsAre("mover", "y", "x", "z"));
  mover->SetZ(8);
  EXPECT_THAT(ListNames(engine), ElementsAre("y", "x", "mover", "z"));
}

TEST_F(SpriteListTest, ItemsOutsideTheListAreNone) {
  Make("only");
  EXPECT_EQ(engine.Count(), 1);
  EXPECT_NE(engine.Items(0), nullptr);
  EXPECT_EQ(engine.Items(1), nullptr);
  EXPECT_EQ(engine.Items(-1), nullptr);
}

TEST_F(SpriteListTest, SetDrawModeFoldsValuesAboveFour) {
  auto* sprite = Make("s");
  sprite->SetDrawMode(4);
  EXPECT_EQ(sprite->DrawMode, 4);
  sprite->SetDrawMode(5);
  EXPECT_EQ(sprite->DrawMode, 0);
  sprite->SetDrawMode(-2);
  EXPECT_EQ(sprite->DrawMode, -2);
}

TEST_F(SpriteListTest, KillTwiceListsTheSpriteOnce) {
  auto* sprite = Make("victim");
  Make("other");
  sprite->Kill();
  sprite->Kill();
  EXPECT_TRUE(sprite->IsDead());
  EXPECT_THAT(DeadNames(engine), ElementsAre("victim"));
  EXPECT_EQ(engine.Count(), 2);
}

TEST_F(SpriteListTest, ADeadSpriteMovesAndDrawsUntilRemoved) {
  Make("victim")->Kill();
  engine.Move(1.0f);
  engine.Draw();
  engine.RemoveDead();
  engine.Move(1.0f);
  EXPECT_THAT(journal, ElementsAre("move victim", "draw victim", "free victim"));
  EXPECT_EQ(engine.Count(), 0);
}

TEST_F(SpriteListTest, RemoveDeadFreesTheNewestKilledFirstAndKeepsTheLiving) {
  auto* a = Make("a");
  auto* b = Make("b");
  Make("c");
  auto* d = Make("d");
  b->Kill();
  d->Kill();
  a->Kill();
  engine.RemoveDead();
  EXPECT_THAT(journal, ElementsAre("free a", "free d", "free b"));
  EXPECT_THAT(ListNames(engine), ElementsAre("c"));
  EXPECT_TRUE(engine.DeadList().empty());
}

TEST_F(SpriteListTest, AKilledSpriteFreedDirectlyLeavesBothLists) {
  auto* sprite = Make("victim");
  Make("other");
  sprite->Kill();
  delete sprite;
  EXPECT_TRUE(engine.DeadList().empty());
  EXPECT_THAT(ListNames(engine), ElementsAre("other"));
  engine.RemoveDead();
  EXPECT_THAT(journal, ElementsAre("free victim"));
}

TEST_F(SpriteListTest, ClearWithDeadSpritesFreesEachExactlyOnce) {
  Make("a")->Kill();
  Make("b");
  Make("c", 3)->Kill();
  Make("d", -1);
  engine.Clear();
  EXPECT_THAT(journal, ElementsAre("free c", "free a", "free b", "free d"));
  EXPECT_EQ(engine.Count(), 0);
  EXPECT_TRUE(engine.DeadList().empty());
}

TEST(SpriteEngineTest, DestructionFreesTheLastSpriteFirst) {
  Journal journal;
  {
    TSpriteEngine engine;
    engine.Create<JournalSprite>(journal, "low")->SetZ(-1);
    engine.Create<JournalSprite>(journal, "high")->SetZ(1);
    engine.Create<JournalSprite>(journal, "dead")->Kill();
  }
  EXPECT_THAT(journal, ElementsAre("free high", "free dead", "free low"));
}

TEST_F(SpriteListTest, AssignCopiesThePropertiesAndMovesToTheSourceDepth) {
  auto* source = Make("source", 6);
  Make("peer", 6);
  auto* copy = Make("copy", 9);
  source->X = 12.5f;
  source->ImageName = "car";
  source->ImageNaming = 0;
  source->CornerColors.c[2] = 0x11223344;
  source->CollideRect = {1, 2, 3, 4};
  source->CollideQuad.p[1] = {5.0f, 6.0f};
  source->DrawBounds = {0, 0, 640, 480};
  source->DrawMode = 3;
  source->Visible = false;
  source->CanCollide = true;
  source->Collided = true;
  copy->Assign(*source);
  EXPECT_EQ(copy->SpriteName, "source");
  EXPECT_EQ(copy->X, 12.5f);
  EXPECT_EQ(copy->ImageName, "car");
  EXPECT_EQ(copy->ImageNaming, 0);
  EXPECT_EQ(copy->CornerColors.c[2], 0x11223344u);
  EXPECT_EQ(copy->CollideRect.bottom, 4);
  EXPECT_EQ(copy->CollideQuad.p[1].y, 6.0f);
  EXPECT_EQ(copy->DrawBounds.right, 640);
  EXPECT_EQ(copy->DrawMode, 3);
  EXPECT_FALSE(copy->Visible);
  EXPECT_TRUE(copy->Collided);
  EXPECT_EQ(copy->Z(), 6);
  EXPECT_THAT(ListNames(engine), ElementsAre("source", "peer", "source"));
  EXPECT_EQ(engine.Items(0), copy);
  EXPECT_FALSE(copy->IsDead());
}

TEST_F(SpriteListTest, AssignFromADeadSourceListsTheCopyForRemovalAndNeverRevives) {
  auto* source = Make("source");
  auto* copy = Make("copy");
  source->Kill();
  copy->Assign(*source);
  EXPECT_TRUE(copy->IsDead());
  EXPECT_EQ(engine.DeadList().size(), 2u);

  auto* living = Make("living");
  copy->Assign(*living);
  EXPECT_TRUE(copy->IsDead());
  EXPECT_EQ(engine.DeadList().size(), 2u);
  engine.RemoveDead();
  EXPECT_THAT(ListNames(engine), ElementsAre("living"));
}

TEST_F(SpriteListTest, CollideWithAllTestsEverySpriteIncludingItself) {
  auto* self = Make("self");
  Make("other");
  for (TSprite* sprite : engine.SpriteList()) {
    sprite->CanCollide = true;
    sprite->CollideRadius = 1;
  }
  self->CollideWithAll();
  EXPECT_THAT(journal, ElementsAre("self hit by other", "other hit by self", "self hit by self",
                                   "self hit by self"));
}

}  // namespace
}  // namespace tvx::testing
