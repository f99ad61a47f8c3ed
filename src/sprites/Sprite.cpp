#include "sprites/Sprite.h"

#include "sprites/SpriteEngine.h"

namespace tvx {

TSprite::TSprite(TSpriteEngine& engine) : engine_(engine) { engine_.AddSorted(this); }

TSprite::~TSprite() { engine_.Forget(this); }

void TSprite::SetSpriteName(const std::string& value) { SpriteName = value; }
void TSprite::SetRed(std::int32_t value) { Red = value; }
void TSprite::SetGreen(std::int32_t value) { Green = value; }
void TSprite::SetBlue(std::int32_t value) { Blue = value; }
void TSprite::SetAlpha(std::int32_t value) { Alpha = value; }
void TSprite::SetImageName(const std::string& value) { ImageName = value; }
void TSprite::SetPatternIndex(std::int32_t value) { PatternIndex = value; }
void TSprite::SetDrawMode(std::int32_t value) { DrawMode = value > 4 ? 0 : value; }
void TSprite::SetX(float value) { X = value; }
void TSprite::SetY(float value) { Y = value; }

void TSprite::SetZ(std::int32_t value) {
  if (value == z_) return;
  z_ = value;
  engine_.RemoveSprite(this);
  engine_.AddSorted(this);
}

void TSprite::Assign(const TSprite& source) {
  SpriteName = source.SpriteName;
  ImageName = source.ImageName;
  ImageNaming = source.ImageNaming;
  X = source.X;
  Y = source.Y;
  // The depth goes through SetZ so that the sprite list stays sorted.
  SetZ(source.z_);
  DrawQuad = source.DrawQuad;
  ShiftX = source.ShiftX;
  ShiftY = source.ShiftY;
  Mirror = source.Mirror;
  Flip = source.Flip;
  OffsetX = source.OffsetX;
  OffsetY = source.OffsetY;
  ScaleX = source.ScaleX;
  ScaleY = source.ScaleY;
  Centred = source.Centred;
  Red = source.Red;
  Green = source.Green;
  Blue = source.Blue;
  Alpha = source.Alpha;
  CornerColors = source.CornerColors;
  PatternIndex = source.PatternIndex;
  ImageNumber = source.ImageNumber;
  CollideMode = source.CollideMode;
  CanCollide = source.CanCollide;
  Collided = source.Collided;
  CollideCenterX = source.CollideCenterX;
  CollideCenterY = source.CollideCenterY;
  CollideRadius = source.CollideRadius;
  CollideRect = source.CollideRect;
  CollideQuad = source.CollideQuad;
  Angle = source.Angle;
  MoveEnabled = source.MoveEnabled;
  // Death is copied through Kill so that the copy is freed with the other dead sprites; a
  // dead copy is never revived, since its engine already holds it for removal.
  if (source.isDead_) Kill();
  DrawEffect = source.DrawEffect;
  DrawMode = source.DrawMode;
  Visible = source.Visible;
  DrawBounds = source.DrawBounds;
}

void TSprite::CollideWithAll() {
  const std::int32_t count = engine_.Count();
  for (std::int32_t i = 0; i < count; ++i) {
    if (TSprite* other = engine_.Items(i)) CollideWith(*other);
  }
}

void TSprite::Kill() {
  if (isDead_) return;
  isDead_ = true;
  engine_.AddDead(this);
}

void TSprite::HandleCollision(TSprite&) {}

float TSprite::TrackedX(int ticksBack) const {
  if (ticksBack < 1 || tracked_ == 0) return X;
  return trackX_[ticksBack <= tracked_ ? ticksBack - 1 : tracked_ - 1];
}

float TSprite::TrackedY(int ticksBack) const {
  if (ticksBack < 1 || tracked_ == 0) return Y;
  return trackY_[ticksBack <= tracked_ ? ticksBack - 1 : tracked_ - 1];
}

void TSprite::ShiftTrack(float dx, float dy) {
  for (int i = 0; i < tracked_; ++i) {
    trackX_[i] += dx;
    trackY_[i] += dy;
  }
}

void TSprite::Track() {
  trackX_[1] = trackX_[0];
  trackY_[1] = trackY_[0];
  trackX_[0] = X;
  trackY_[0] = Y;
  if (tracked_ < 2) ++tracked_;
}

void TSprite::TweenBack(float lag) {
  if (lag <= 0.0f || tracked_ == 0) {
    TweenX = TweenY = 0.0f;
    return;
  }
  // Between now and a tick back, or between one and two ticks back.
  const bool older = lag > 1.0f;
  const float fromX = older ? TrackedX(1) : X;
  const float fromY = older ? TrackedY(1) : Y;
  const float toX = older ? TrackedX(2) : TrackedX(1);
  const float toY = older ? TrackedY(2) : TrackedY(1);
  const float part = older ? lag - 1.0f : lag;
  TweenX = fromX + (toX - fromX) * part - X;
  TweenY = fromY + (toY - fromY) * part - Y;
}

void TSprite::Move(float) {}

}  // namespace tvx
