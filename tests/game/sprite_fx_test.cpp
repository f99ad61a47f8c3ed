// The effect sprites following the car: smoke, fire jet and dizzy stars, their sounds and
// timers, how each one ends, and what a pause keeps and holds back.
#include "game/PlayFieldKinds.h"
#include "game/SoundNames.h"
#include "game/SpriteFX.h"
#include "game_fixture.h"
#include "sprites/SpriteEngine.h"

namespace tvx::testing {
namespace {

class SpriteFX : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    State().PlayerX = 300.0f;
    State().PlayerY = 380.0f;
  }

  // Made with the settings the play field gives an effect when it spawns one.
  TSpriteFX* MakeEffect(const char* image, int start, int count, float scaleX, float scaleY,
                        float dx, float dy) {
    TSpriteFX* effect = Form().Engine().Create<TSpriteFX>(Form().PlayContext());
    effect->DrawEffect = EffectAdditive;
    effect->SetImageName(image);
    effect->SetAnimStart(start);
    effect->AnimCount = count;
    effect->AnimSpeed = 1.0f;
    effect->AnimLoop = true;
    effect->CanCollide = false;
    effect->Animating = true;
    effect->SetY(State().PlayerY + dy);
    effect->SetX(State().PlayerX + dx);
    effect->SetZ(depth::Effect);
    effect->ScaleX = scaleX;
    effect->ScaleY = scaleY;
    return effect;
  }
  TSpriteFX* MakeSmoke() { return MakeEffect("fogflow", 1, 21, 0.6f, 0.5f, 16.0f, -26.0f); }
  TSpriteFX* MakeJet() { return MakeEffect("firejet", 0, 4, 0.5f, 0.5f, 16.0f, 35.0f); }
  TSpriteFX* MakeStars() { return MakeEffect("groggystars", 0, 36, 1.0f, 1.0f, 24.0f, 10.0f); }

  const TSoundData& SoundNamed(const std::string& name) {
    TSoundSystem& sounds = Form().SoundSystem1();
    for (int index = 0; index < sounds.Count(); ++index) {
      if (sounds.Sound(index)->Name() == name) return *sounds.Sound(index);
    }
    ADD_FAILURE() << name << " is not loaded";
    return *sounds.Sound(0);
  }
  bool Loops(const std::string& name) { return SoundNamed(name).SyncHandle() != 0; }
  int VolumeOf(const std::string& name) { return harness->audio.Volume(SoundNamed(name).Handle()); }

  // The flags as the spawner leaves them after making each effect.
  void StartSmoking() {
    State().DamageBar.assign(25, '|');
    State().SmokeShown = true;
  }
  void StartJet() { State().JetActive = true; }
  void StartStars() { State().StarsActive = true; }
};

using SmokeEffect = SpriteFX;

TEST_F(SmokeEffect, FollowsTheCarAndLoopsTheHotIdleQuietly) {
  StartSmoking();
  TSpriteFX* smoke = MakeSmoke();
  State().PlayerX = 250.0f;
  State().PlayerY = 300.0f;
  smoke->Move(1.0f);
  EXPECT_FLOAT_EQ(smoke->X, 266.0f);
  EXPECT_FLOAT_EQ(smoke->Y, 274.0f);
  EXPECT_TRUE(harness->Playing(sound::HotIdle));
  EXPECT_TRUE(Loops(sound::HotIdle));
  EXPECT_EQ(VolumeOf(sound::HotIdle), 15);
  EXPECT_FALSE(smoke->IsDead());
}

TEST_F(SmokeEffect, KeepsGoingAtTwentyFiveMarksAndEndsOnTheFirstTickAtTwentyFour) {
  StartSmoking();
  TSpriteFX* smoke = MakeSmoke();
  for (int tick = 0; tick < 10; ++tick) smoke->Move(1.0f);
  EXPECT_FALSE(smoke->IsDead());
  State().DamageBar.pop_back();
  smoke->Move(1.0f);
  EXPECT_TRUE(smoke->IsDead());
  EXPECT_FALSE(State().SmokeShown);
  EXPECT_FALSE(harness->Playing(sound::HotIdle));
}

TEST_F(SmokeEffect, ARepairEndsItOnTheNextTick) {
  StartSmoking();
  State().DamageBar.assign(29, '|');
  TSpriteFX* smoke = MakeSmoke();
  smoke->Move(1.0f);
  ASSERT_TRUE(harness->Playing(sound::HotIdle));
  State().DamageBar.clear();  // what the repair pick-up does
  smoke->Move(1.0f);
  EXPECT_TRUE(smoke->IsDead());
  EXPECT_FALSE(State().SmokeShown);
  EXPECT_FALSE(harness->Playing(sound::HotIdle));
}

using JetEffect = SpriteFX;

TEST_F(JetEffect, IsMadeThirtyFiveBelowTheCarAndFollowsFortyFiveBelowFromItsFirstMove) {
  StartJet();
  TSpriteFX* jet = MakeJet();
  EXPECT_FLOAT_EQ(jet->Y, 415.0f);
  jet->Move(1.0f);
  EXPECT_FLOAT_EQ(jet->X, 316.0f);
  EXPECT_FLOAT_EQ(jet->Y, 425.0f);
  State().PlayerX = 200.5f;
  jet->Move(1.0f);
  EXPECT_FLOAT_EQ(jet->X, 216.5f);
}

TEST_F(JetEffect, ItsFirstMoveStartsBothTimersAndTheEngineSoundOnce) {
  StartJet();
  TSpriteFX* jet = MakeJet();
  ASSERT_FALSE(Form().timerfirejet().Enabled());
  ASSERT_FALSE(Form().timeralpha().Enabled());
  jet->Move(1.0f);
  EXPECT_TRUE(Form().timerfirejet().Enabled());
  EXPECT_TRUE(Form().timeralpha().Enabled());
  EXPECT_TRUE(harness->Playing(sound::JetEngine));
  EXPECT_FALSE(Loops(sound::JetEngine));
  harness->audio.ClearLog();
  jet->Move(1.0f);
  for (const std::string& entry : harness->audio.Log())
    EXPECT_EQ(entry.find("ChannelPlay"), std::string::npos) << entry;  // not restarted
}

TEST_F(JetEffect, EndsOnTheTickAfterItsTimerRunsOut) {
  StartJet();
  TSpriteFX* jet = MakeJet();
  jet->Move(1.0f);
  Form().timerfirejetTimer();
  EXPECT_FALSE(harness->Playing(sound::JetEngine));
  EXPECT_FALSE(jet->IsDead());
  jet->Move(1.0f);
  EXPECT_TRUE(jet->IsDead());
  EXPECT_FALSE(State().JetOver);
  // The last move found the jet inactive, so nothing came back on.
  EXPECT_FALSE(Form().timerfirejet().Enabled());
  EXPECT_FALSE(Form().timeralpha().Enabled());
  EXPECT_FALSE(harness->Playing(sound::JetEngine));
}

using StarsEffect = SpriteFX;

TEST_F(StarsEffect, FollowsTheCarStartsItsTimerAndEndsOnTheTickAfterIt) {
  StartStars();
  TSpriteFX* stars = MakeStars();
  State().PlayerY = 200.0f;
  stars->Move(1.0f);
  EXPECT_FLOAT_EQ(stars->X, 324.0f);
  EXPECT_FLOAT_EQ(stars->Y, 210.0f);
  EXPECT_TRUE(Form().timerstars().Enabled());
  EXPECT_FALSE(Form().timerfirejet().Enabled());
  Form().timerstarsTimer();
  EXPECT_FALSE(stars->IsDead());
  stars->Move(1.0f);
  EXPECT_TRUE(stars->IsDead());
  EXPECT_FALSE(State().StarsOver);
  EXPECT_FALSE(State().StarsActive);
  EXPECT_FALSE(Form().timerstars().Enabled());
}

TEST_F(StarsEffect, ItsEndClearsTheActiveFlagItself) {
  StartStars();
  State().StarsOver = true;
  TSpriteFX* stars = MakeStars();
  stars->Move(1.0f);
  EXPECT_TRUE(stars->IsDead());
  EXPECT_FALSE(State().StarsOver);
  EXPECT_FALSE(State().StarsActive);
}

using PausedEffects = SpriteFX;

TEST_F(PausedEffects, AnimateInPlaceAndNoneEnds) {
  StartSmoking();
  StartJet();
  StartStars();
  TSpriteFX* smoke = MakeSmoke();
  TSpriteFX* jet = MakeJet();
  TSpriteFX* stars = MakeStars();
  State().Paused = true;
  State().DamageBar.clear();
  State().JetOver = true;
  State().StarsOver = true;
  State().PlayerX = 100.0f;
  for (int tick = 0; tick < 3; ++tick) {
    smoke->Move(1.0f);
    jet->Move(1.0f);
    stars->Move(1.0f);
  }
  EXPECT_EQ(smoke->PatternIndex, 4);
  EXPECT_EQ(jet->PatternIndex, 3);
  EXPECT_EQ(stars->PatternIndex, 3);
  EXPECT_FLOAT_EQ(smoke->X, 316.0f);
  EXPECT_FLOAT_EQ(jet->Y, 415.0f);
  EXPECT_FLOAT_EQ(stars->X, 324.0f);
  EXPECT_FALSE(smoke->IsDead() || jet->IsDead() || stars->IsDead());
  EXPECT_FALSE(harness->Playing(sound::HotIdle));
  EXPECT_FALSE(Form().timerfirejet().Enabled());
  EXPECT_FALSE(Form().timerstars().Enabled());

  State().Paused = false;
  smoke->Move(1.0f);
  jet->Move(1.0f);
  stars->Move(1.0f);
  EXPECT_TRUE(smoke->IsDead() && jet->IsDead() && stars->IsDead());
  EXPECT_FLOAT_EQ(jet->X, 116.0f);
}

}  // namespace
}  // namespace tvx::testing
