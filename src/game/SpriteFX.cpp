#include "game/SpriteFX.h"

#include <string>

#include "game/SoundNames.h"
#include "game/SoundRules.h"
#include "game/Unit1.h"
#include "sound/SoundSystem.h"

namespace tvx {

namespace {

// Offsets from the car's published position to the effect's.
constexpr float kSmokeDX = 16.0f;
constexpr float kSmokeDY = -26.0f;
constexpr float kJetDX = 16.0f;
constexpr float kJetDY = 45.0f;
constexpr float kStarsDX = 24.0f;
constexpr float kStarsDY = 10.0f;

// The car smokes while its damage bar has this many marks or more.
constexpr std::size_t kSmokeMarks = 25;
constexpr int kHotIdleVolume = 15;

}  // namespace

TSpriteFX::TSpriteFX(TSpriteEngine& engine, TForm1& form) : TAnimatedSprite(engine), form_(form) {}

void TSpriteFX::Move(float moveCount) {
  TAnimatedSprite::Move(moveCount);
  if (form_.State().Paused) return;
  if (ImageName == "fogflow") {
    MoveSmoke();
  } else if (ImageName == "firejet") {
    MoveJet();
  } else if (ImageName == "groggystars") {
    MoveStars();
  }
}

void TSpriteFX::FollowCar(float dx, float dy) {
  const TGameState& state = form_.State();
  SetX(state.PlayerX + dx);
  SetY(state.PlayerY + dy);
}

void TSpriteFX::MoveSmoke() {
  FollowCar(kSmokeDX, kSmokeDY);
  TSoundSystem& sounds = form_.SoundSystem1();
  sounds.SetVolume(sound::HotIdle, kHotIdleVolume);
  PlayIfSilent(sounds, sound::HotIdle, true);
  TGameState& state = form_.State();
  if (state.DamageBar.size() < kSmokeMarks) {
    Kill();
    state.SmokeShown = false;
    sounds.Stop(sound::HotIdle);
  }
}

void TSpriteFX::MoveJet() {
  FollowCar(kJetDX, kJetDY);
  TGameState& state = form_.State();
  if (state.JetActive) {
    // Enabling a running timer does not restart it, so the jet lasts from its first move.
    form_.timerfirejet().SetEnabled(true);
    form_.timeralpha().SetEnabled(true);
    TSoundSystem& sounds = form_.SoundSystem1();
    PlayIfSilent(sounds, sound::JetEngine, false);
  }
  if (state.JetOver) {
    Kill();
    state.JetOver = false;
  }
}

void TSpriteFX::MoveStars() {
  FollowCar(kStarsDX, kStarsDY);
  TGameState& state = form_.State();
  if (state.StarsActive) form_.timerstars().SetEnabled(true);
  if (state.StarsOver) {
    Kill();
    state.StarsOver = false;
    state.StarsActive = false;
  }
}

}  // namespace tvx
