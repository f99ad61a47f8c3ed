// Sprite kinds for the engine tests: each writes what happens to it (moves, draws,
// reactions, its own destruction) into a shared journal, by name, and can be told to react to
// a collision the way the game's kinds do (change depth, kill the other side).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "sprites/AnimatedSprite.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteEngine.h"

namespace tvx::testing {

using Journal = std::vector<std::string>;

template <class Base>
class Journaled : public Base {
 public:
  Journaled(TSpriteEngine& engine, Journal& journal, std::string name)
      : Base(engine), journal_(journal) {
    this->SpriteName = std::move(name);
  }
  ~Journaled() override { journal_.push_back("free " + this->SpriteName); }

  void Move(float moveCount) override {
    journal_.push_back("move " + this->SpriteName);
    Base::Move(moveCount);
  }
  void Draw() override {
    journal_.push_back("draw " + this->SpriteName);
    Base::Draw();
  }
  void HandleCollision(TSprite& other) override {
    journal_.push_back(this->SpriteName + " hit by " + other.SpriteName);
    if (OnHit) OnHit(*this, other);
  }

  std::function<void(TSprite& self, TSprite& other)> OnHit;

 protected:
  Journal& journal_;
};

using JournalSprite = Journaled<TSprite>;
using JournalAnimatedSprite = Journaled<TAnimatedSprite>;

// The names of the engine's sprites in list order.
inline std::vector<std::string> ListNames(const TSpriteEngine& engine) {
  std::vector<std::string> names;
  for (const TSprite* sprite : engine.SpriteList()) names.push_back(sprite->SpriteName);
  return names;
}

inline std::vector<std::string> DeadNames(const TSpriteEngine& engine) {
  std::vector<std::string> names;
  for (const TSprite* sprite : engine.DeadList()) names.push_back(sprite->SpriteName);
  return names;
}

}  // namespace tvx::testing
