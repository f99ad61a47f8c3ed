// An effect that follows the player's car while it lasts, drawn additively above it: the
// smoke of a badly damaged car ("fogflow"), the fire jet of the boost ("firejet") and the
// stars of dizziness ("groggystars"). It animates even while paused; otherwise it follows
// the car's published position, keeps its sound and timer going, and kills itself when its
// effect is over.
#pragma once

#include <cstddef>
#include <cstdint>

#include "game/ImageNames.h"
#include "game/PlayContext.h"
#include "sprites/AnimatedSprite.h"

namespace tvx {

// One effect: its picture and animation, its scale, and where it sits relative to the car's
// published position when created and while it follows (the fire jet drops 10 pixels).
struct EffectKind {
  const char* image;
  std::int32_t animStart;
  std::int32_t animCount;
  float dx;
  float createdDy;
  float followDy;
  float scaleX, scaleY;
};

inline constexpr EffectKind kSmokeEffect{image::Smoke, 1, 21, 16.0f, -26.0f, -26.0f, 0.6f, 0.5f};
inline constexpr EffectKind kFireJetEffect{image::FireJet, 0, 4, 16.0f, 35.0f, 45.0f, 0.5f, 0.5f};
inline constexpr EffectKind kStarsEffect{image::Stars, 0, 36, 24.0f, 10.0f, 10.0f, 1.0f, 1.0f};

// The car smokes while its damage bar has this many marks or more.
inline constexpr std::size_t kSmokeDamage = 25;

class TSpriteFX : public TAnimatedSprite {
 public:
  TSpriteFX(TSpriteEngine& engine, const TPlayContext& play);

  void Move(float moveCount) override;

 private:
  void FollowCar(const EffectKind& kind);
  void MoveSmoke();
  void MoveJet();
  void MoveStars();

  TPlayContext play_;
};

}  // namespace tvx
