#include "sprites/AnimatedSprite.h"

#include "core/Numeric.h"

namespace tvx {

TAnimatedSprite::TAnimatedSprite(TSpriteEngine& engine) : TSprite(engine) {}

void TAnimatedSprite::Assign(const TSprite& source) {
  if (const auto* animated = dynamic_cast<const TAnimatedSprite*>(&source)) {
    Animating = animated->Animating;
    SetAnimStart(animated->AnimStart);
    AnimCount = animated->AnimCount;
    AnimSpeed = animated->AnimSpeed;
    AnimLoop = animated->AnimLoop;
  }
  TSprite::Assign(source);
}

// Positions are worked out in extended precision and stored back into the 32-bit AnimPos;
// the end tests compare the stored value, also in extended precision. Bounds are summed in
// 64 bits so that extreme starts and counts cannot overflow.
void TAnimatedSprite::StepForward(long double step) {
  const long double pos = AnimPos = static_cast<float>(AnimPos + step);
  const std::int64_t end = std::int64_t{AnimStart} + AnimCount;
  if (pos <= end) return;
  if (Trunc(AnimPos) == end) AnimEnded = true;
  if (AnimLoop) {
    AnimPos = static_cast<float>(AnimStart);
  } else {
    AnimPos = static_cast<float>(end - 1);
    Animating = false;
  }
}

void TAnimatedSprite::StepBackward(long double step) {
  const long double pos = AnimPos = static_cast<float>(AnimPos - step);
  if (pos >= AnimStart) return;
  if (AnimLoop) {
    AnimPos = static_cast<float>(std::int64_t{AnimStart} + AnimCount - 1);
  } else {
    AnimPos = static_cast<float>(AnimStart);
    Animating = false;
  }
}

void TAnimatedSprite::StepPingPong(long double step) {
  const long double pos = AnimPos = static_cast<float>(AnimPos + step);
  const std::int64_t end = std::int64_t{AnimStart} + AnimCount;
  if (AnimLoop) {
    if (pos > end - 1 || pos < AnimStart) AnimSpeed = -AnimSpeed;
    return;
  }
  if (pos > end || pos < AnimStart) AnimSpeed = -AnimSpeed;
  const std::int32_t pattern = Trunc(AnimPos);
  if (pattern == end) EndReached = true;
  if (pattern == AnimStart && EndReached) StartReached = true;
  if (EndReached && StartReached) {
    Animating = false;
    EndReached = false;
    StartReached = false;
  }
}

void TAnimatedSprite::Move(float moveCount) {
  if (!MoveEnabled || !Animating) return;
  const long double step = static_cast<long double>(AnimSpeed) * moveCount;
  switch (AnimPlayMode) {
    case 0:
      StepForward(step);
      break;
    case 1:
      StepBackward(step);
      break;
    case 2:
      StepPingPong(step);
      break;
    default:
      break;
  }
  PatternIndex = Trunc(AnimPos);
  ImageNumber = PatternIndex;
}

// The same area test as the base draw, made before the base draw is entered.
void TAnimatedSprite::Draw() {
  if (InDrawArea()) TSprite::Draw();
}

void TAnimatedSprite::SetAnimationEx(const std::string& imageName, std::int32_t start,
                                     std::int32_t count, float speed, bool loop, bool mirror,
                                     bool animate, std::uint8_t playMode) {
  StoreAnimation(imageName, start, count, speed, loop, playMode);
  Mirror = mirror;
  Animating = animate;
}

void TAnimatedSprite::SetAnimation(const std::string& imageName, std::int32_t start,
                                   std::int32_t count, float speed, bool loop,
                                   std::uint8_t playMode) {
  StoreAnimation(imageName, start, count, speed, loop, playMode);
}

void TAnimatedSprite::StoreAnimation(const std::string& imageName, std::int32_t start,
                                     std::int32_t count, float speed, bool loop,
                                     std::uint8_t playMode) {
  SetImageName(imageName);
  AnimStart = start;
  AnimCount = count;
  AnimSpeed = speed;
  AnimLoop = loop;
  AnimPlayMode = playMode;
}

void TAnimatedSprite::SetAnimStart(std::int32_t value) {
  if (value == AnimStart) return;
  AnimStart = value;
  AnimPos = static_cast<float>(value);
}

}  // namespace tvx
