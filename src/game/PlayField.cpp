// The play field inside the main window: the sprite engine's passes every frame and every
// logic tick, the player car and the road of each level, and the effect sprites the car's
// damage and pick-ups ask for.
#include "game/Form1.h"
#include "game/ImageNames.h"
#include "game/LevelTable.h"
#include "game/PlayFieldKinds.h"
#include "game/Player.h"
#include "game/Road.h"
#include "game/SpriteFX.h"
#include "sprites/SpriteEngine.h"
#include "timing/PxKeyboard.h"
#include "timing/PxTimers.h"

namespace tvx {

namespace {

void SpawnEffect(TForm1& form, const EffectKind& kind) {
  const TGameState& s = form.State();
  TSpriteFX* effect = form.Engine().Create<TSpriteFX>(form.PlayContext());
  effect->DrawEffect = EffectAdditive;
  effect->SetImageName(kind.image);
  effect->SetAnimStart(kind.animStart);
  effect->AnimCount = kind.animCount;
  effect->AnimSpeed = 1.0f;
  effect->AnimLoop = true;
  effect->CanCollide = false;
  effect->Animating = true;
  effect->SetY(s.PlayerY + kind.createdDy);
  effect->SetX(s.PlayerX + kind.dx);
  effect->SetZ(depth::Effect);
  effect->ScaleX = kind.scaleX;
  effect->ScaleY = kind.scaleY;
}

}  // namespace

// Every frame of a running level, paused or not: the sprites go under everything else,
// drawn where they are at this frame's moment between ticks with smooth motion, or where
// the newest tick left them without.
void TForm1::RunningLevelStep() {
  Engine_->Draw(parts_.display.smoothMotion ? static_cast<float>(Timer_->ShownLag()) : 0.0f);
  state_.FinalScore = state_.Score;
  ApplyLevelSpeed(state_);
  SpawnEffects();
}

// Every logic tick of a running level; the sprites skip their game work while paused.
void TForm1::PlayFieldTick() {
  Engine_->Track();
  Keyboard_->Update();
  Engine_->Move(1.0f);
  Engine_->RemoveDead();
  Engine_->CheckCollisions();
}

bool TForm1::PlayFieldStill() const {
  for (const TSprite* sprite : Engine_->SpriteList()) {
    for (const int back : {1, 2}) {
      if (sprite->TrackedX(back) != sprite->X || sprite->TrackedY(back) != sprite->Y) return false;
    }
    const auto* animated = dynamic_cast<const TAnimatedSprite*>(sprite);
    if (animated != nullptr && animated->Animating && animated->MoveEnabled &&
        animated->AnimSpeed != 0.0f && animated->AnimCount > 0) {
      return false;
    }
  }
  return true;
}

void TForm1::ConnectPlayField() {
  Engine_->Clear();
  Engine_->Images = Images_;
  Engine_->Canvas = MyCanvas_;
}

void TForm1::ClearPlayField() {
  if (Engine_) Engine_->Clear();
}

void TForm1::CreatePlayerAndRoad() {
  TPlayer* player = Engine_->Create<TPlayer>(PlayContext());
  player->SetImageName(image::PlayerCars.at(state_.CarIndex));
  player->SetX(320.0f);
  player->SetY(380.0f);
  player->SetZ(depth::Car);
  player->CanCollide = true;
  player->CollideMode = kFieldCollideMode;

  TRoad* road = Engine_->Create<TRoad>(PlayContext());
  road->SetImageName(RoadImageName(state_.Level));
  road->SetX(0.0f);
  road->SetY(-480.0f);
  road->SetZ(depth::Road);
  road->DrawBounds = {-480, -640, 640, 480};
}

// Smoke once a level when the damage bar reaches 25 marks, the fire jet and the stars on
// request; one frame may start several.
void TForm1::SpawnEffects() {
  TGameState& s = state_;
  if (!s.SmokeShown && s.DamageBar.size() >= kSmokeDamage) {
    SpawnEffect(*this, kSmokeEffect);
    s.SmokeShown = true;
  }
  if (!s.JetActive && s.JetRequest) {
    SpawnEffect(*this, kFireJetEffect);
    s.JetActive = true;
    s.JetRequest = false;
  }
  if (!s.StarsActive && s.StarsRequest) {
    SpawnEffect(*this, kStarsEffect);
    s.StarsActive = true;
    s.StarsRequest = false;
  }
}

}  // namespace tvx
