#include "sprites/SpriteEngine.h"

#include <algorithm>

#include "sprites/Sprite.h"

namespace tvx {

namespace {

void EraseFirst(std::vector<TSprite*>& list, TSprite* sprite) {
  const auto found = std::find(list.begin(), list.end(), sprite);
  if (found != list.end()) list.erase(found);
}

}  // namespace

TSpriteEngine::~TSpriteEngine() { Clear(); }

TSprite* TSpriteEngine::Items(std::int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return spriteList_[static_cast<std::size_t>(index)];
}

void TSpriteEngine::Move(float moveCount) {
  const std::int32_t count = Count();
  for (std::int32_t i = 0; i < count; ++i) {
    if (TSprite* sprite = Items(i)) sprite->Move(moveCount);
  }
}

void TSpriteEngine::Track() {
  for (TSprite* sprite : spriteList_) sprite->Track();
}

void TSpriteEngine::Draw(float lag) {
  const std::int32_t count = Count();
  for (std::int32_t i = 0; i < count; ++i) {
    if (TSprite* sprite = Items(i)) {
      sprite->TweenBack(lag);
      sprite->Draw();
    }
  }
}

void TSpriteEngine::RemoveDead() {
  // Each destructor takes its sprite out of the dead list, so the loop always shrinks it.
  while (!deadList_.empty()) delete deadList_.back();
}

void TSpriteEngine::CheckCollisions() {
  const std::int32_t passCount = Count();
  for (std::int32_t i = 0; i < passCount; ++i) {
    const std::int32_t stepCount = Count();
    for (std::int32_t j = i + 1; j < stepCount; ++j) {
      // Both are looked up again for every pair: a reaction that changes a depth reorders
      // the list at once, and the following indices refer to the new order.
      TSprite* caller = Items(i);
      TSprite* other = Items(j);
      if (caller == nullptr || other == nullptr) continue;
      if (caller->CanCollide && other->CanCollide) caller->CollideWith(*other);
    }
  }
}

void TSpriteEngine::Clear() {
  while (!spriteList_.empty()) delete spriteList_.back();
}

void TSpriteEngine::AddSorted(TSprite* sprite) {
  std::int32_t low = 0;
  std::int32_t high = Count() - 1;
  while (high >= low) {
    const std::int32_t middle = (low + high) / 2;
    // The difference is taken in 64 bits so that extreme depths cannot overflow it.
    if (std::int64_t{Items(middle)->Z()} - sprite->Z() < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  spriteList_.insert(spriteList_.begin() + low, sprite);
}

void TSpriteEngine::RemoveSprite(TSprite* sprite) { EraseFirst(spriteList_, sprite); }

void TSpriteEngine::AddDead(TSprite* sprite) { deadList_.push_back(sprite); }

void TSpriteEngine::Forget(TSprite* sprite) {
  RemoveSprite(sprite);
  EraseFirst(deadList_, sprite);
}

}  // namespace tvx
