// The sprite engine: the container that owns every sprite of the play field and runs the
// per-tick passes over them. SpriteList holds all sprites, dead ones included, sorted by
// ascending Z; a new sprite (or one whose Z changes) goes in front of the sprites that
// already have its depth, so among equal depths the newest is moved and drawn first.
// Sprites never die in the middle of a pass: Kill only lists them in DeadList, and the
// engine frees them in RemoveDead, Clear or its own destruction. A sprite's destructor takes
// it out of both lists, so an owner may also delete a sprite directly between passes.
//
// Canvas and Images are borrowed; whoever owns them sets them before the first Draw.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace tvx {

class TPxCanvas;
class TPxImages;
class TSprite;

class TSpriteEngine {
 public:
  TSpriteEngine() = default;
  ~TSpriteEngine();
  TSpriteEngine(const TSpriteEngine&) = delete;
  TSpriteEngine& operator=(const TSpriteEngine&) = delete;

  // Builds a sprite of kind T owned by this engine; its constructor inserts it at depth 0.
  template <class T, class... Args>
  T* Create(Args&&... args) {
    return new T(*this, std::forward<Args>(args)...);
  }

  // Move of every sprite from index 0 up, over the count taken at the start.
  void Move(float moveCount);
  // Remembers every sprite's position as the end of a tick; called before each tick's Move,
  // for drawing between ticks.
  void Track();
  // Draw of every sprite from index 0 up: lower depths end up underneath. With a lag (in
  // ticks, 0 to 2) each sprite is drawn where it was that long before the newest tick, as
  // far as its tracked positions reach; 0 draws them where they are.
  void Draw(float lag = 0.0f);
  // Frees the most recently killed sprite until none is left.
  void RemoveDead();
  // Tests every unordered pair of colliding sprites once, the lower index as the caller.
  void CheckCollisions();
  // Frees the last sprite of the list until the engine is empty, dead ones included.
  void Clear();

  std::int32_t Count() const { return static_cast<std::int32_t>(spriteList_.size()); }
  // nullptr for an index outside 0..Count-1.
  TSprite* Items(std::int32_t index) const;

  const std::vector<TSprite*>& SpriteList() const { return spriteList_; }
  const std::vector<TSprite*>& DeadList() const { return deadList_; }

  float WorldX = 0.0f;
  float WorldY = 0.0f;
  TPxCanvas* Canvas = nullptr;
  TPxImages* Images = nullptr;

 private:
  friend class TSprite;

  // Binary search for the first index whose sprite is not below the new sprite's depth.
  void AddSorted(TSprite* sprite);
  // Removes the sprite's first occurrence from the sprite list.
  void RemoveSprite(TSprite* sprite);
  void AddDead(TSprite* sprite);
  // Called by a sprite's destructor: out of the sprite list and out of the dead list.
  void Forget(TSprite* sprite);

  std::vector<TSprite*> spriteList_;
  std::vector<TSprite*> deadList_;
};

}  // namespace tvx
