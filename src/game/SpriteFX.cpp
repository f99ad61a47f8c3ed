#include "game/SpriteFX.h"

#include <string>

#include "game/SoundNames.h"
#include "game/SoundRules.h"
#include "platform/Application.h"
#include "sound/SoundSystem.h"

namespace tvx {

TSpriteFX::TSpriteFX(TSpriteEngine& engine, const TPlayContext& play)
    : TAnimatedSprite(engine), play_(play) {}

void TSpriteFX::Move(float moveCount) {
  TAnimatedSprite::Move(moveCount);
  if (play_.state.Paused) return;
  if (ImageName == kSmokeEffect.image) {
    MoveSmoke();
  } else if (ImageName == kFireJetEffect.image) {
    MoveJet();
  } else if (ImageName == kStarsEffect.image) {
    MoveStars();
  }
}

void TSpriteFX::FollowCar(const EffectKind& kind) {
  const TGameState& state = play_.state;
  SetX(state.PlayerX + kind.dx);
  SetY(state.PlayerY + kind.followDy);
}

void TSpriteFX::MoveSmoke() {
  FollowCar(kSmokeEffect);
  TSoundSystem& sounds = play_.sounds;
  sounds.SetVolume(sound::HotIdle, sound::HotIdleVolume);
  PlayIfSilent(sounds, sound::HotIdle, true);
  TGameState& state = play_.state;
  if (state.DamageBar.size() < kSmokeDamage) {
    Kill();
    state.SmokeShown = false;
    sounds.Stop(sound::HotIdle);
  }
}

void TSpriteFX::MoveJet() {
  FollowCar(kFireJetEffect);
  TGameState& state = play_.state;
  if (state.JetActive) {
    // Enabling a running timer does not restart it, so the jet lasts from its first move.
    play_.timerfirejet.SetEnabled(true);
    play_.timeralpha.SetEnabled(true);
    TSoundSystem& sounds = play_.sounds;
    PlayIfSilent(sounds, sound::JetEngine, false);
  }
  if (state.JetOver) {
    Kill();
    state.JetOver = false;
  }
}

void TSpriteFX::MoveStars() {
  FollowCar(kStarsEffect);
  TGameState& state = play_.state;
  if (state.StarsActive) play_.timerstars.SetEnabled(true);
  if (state.StarsOver) {
    Kill();
    state.StarsOver = false;
    state.StarsActive = false;
  }
}

}  // namespace tvx
