#include "game/SpriteFX.h"

#include <string>

#include "game/SoundNames.h"
#include "game/SoundRules.h"
#include "game/Unit1.h"
#include "sound/SoundSystem.h"

namespace tvx {

namespace {

constexpr int kHotIdleVolume = 15;

}  // namespace

TSpriteFX::TSpriteFX(TSpriteEngine& engine, TForm1& form) : TAnimatedSprite(engine), form_(form) {}

void TSpriteFX::Move(float moveCount) {
  TAnimatedSprite::Move(moveCount);
  if (form_.State().Paused) return;
  if (ImageName == kSmokeEffect.image) {
    MoveSmoke();
  } else if (ImageName == kFireJetEffect.image) {
    MoveJet();
  } else if (ImageName == kStarsEffect.image) {
    MoveStars();
  }
}

void TSpriteFX::FollowCar(const EffectKind& kind) {
  const TGameState& state = form_.State();
  SetX(state.PlayerX + kind.dx);
  SetY(state.PlayerY + kind.followDy);
}

void TSpriteFX::MoveSmoke() {
  FollowCar(kSmokeEffect);
  TSoundSystem& sounds = form_.SoundSystem1();
  sounds.SetVolume(sound::HotIdle, kHotIdleVolume);
  PlayIfSilent(sounds, sound::HotIdle, true);
  TGameState& state = form_.State();
  if (state.DamageBar.size() < kSmokeDamage) {
    Kill();
    state.SmokeShown = false;
    sounds.Stop(sound::HotIdle);
  }
}

void TSpriteFX::MoveJet() {
  FollowCar(kFireJetEffect);
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
  FollowCar(kStarsEffect);
  TGameState& state = form_.State();
  if (state.StarsActive) form_.timerstars().SetEnabled(true);
  if (state.StarsOver) {
    Kill();
    state.StarsOver = false;
    state.StarsActive = false;
  }
}

}  // namespace tvx
