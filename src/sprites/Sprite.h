// The base sprite: a position, a depth, an image drawn through the engine's canvas in one of
// five ways (DrawMode 0 tinted, 1 rotated, 2 corner colours, 3 and 4 mapped onto DrawQuad),
// and one collision shape chosen by CollideMode (collide::Circle, Rectangle or Quadrilateral).
// The shapes do not follow the sprite: whoever sets CollideMode keeps them up to date.
//
// A sprite belongs to the engine given to its constructor, which inserts it at depth 0. Z
// and IsDead have invariants in the engine's lists, so they change only through SetZ and
// Kill; every other property is a plain field. The game's kinds override Move and
// HandleCollision and draw with the base Draw.
//
// Drawing between logic ticks (an addition of ours): the engine's Track remembers where the
// sprite was at the ends of the last two ticks, and its Draw with a lag sets TweenX and
// TweenY to where the sprite was that many ticks ago, measured from X and Y. A sprite that
// has not been through a tick since it was made, or was told it Jumped, has nothing to
// draw back to and shows where it is. Tweens move the drawn picture only (not the draw-area
// test, collisions or the corners of draw modes 3 and 4); while one is not zero the sprite
// is drawn at its exact place rather than at whole pixels, so that slow motion stays even.
#pragma once

#include <cstdint>
#include <string>

#include "platform/GraphicsApi.h"
#include "render/PxDef.h"
#include "sprites/CollideModes.h"

namespace tvx {

class TSpriteEngine;

class TSprite {
 public:
  explicit TSprite(TSpriteEngine& engine);
  virtual ~TSprite();
  TSprite(const TSprite&) = delete;
  TSprite& operator=(const TSprite&) = delete;

  virtual void SetSpriteName(const std::string& value);
  virtual void SetRed(std::int32_t value);
  virtual void SetGreen(std::int32_t value);
  virtual void SetBlue(std::int32_t value);
  virtual void SetAlpha(std::int32_t value);
  virtual void SetImageName(const std::string& value);
  virtual void SetPatternIndex(std::int32_t value);
  // Values above 4 are stored as 0; negative ones are kept and draw nothing.
  virtual void SetDrawMode(std::int32_t value);
  virtual void SetX(float value);
  virtual void SetY(float value);
  // A new depth moves the sprite in front of the sprites that already have it.
  virtual void SetZ(std::int32_t value);

  // Copies the source's drawing, collision and state properties (not its engine).
  virtual void Assign(const TSprite& source);
  // Tests this pair by this sprite's CollideMode; on a hit both sides react, this one first.
  virtual void CollideWith(TSprite& other);
  // CollideWith every sprite of the engine, this one included.
  virtual void CollideWithAll();
  // Lists the sprite for removal once; it keeps moving and drawing but no longer collides.
  virtual void Kill();
  virtual void HandleCollision(TSprite& other);
  virtual void Move(float moveCount);
  virtual void Draw();

  TSpriteEngine& Engine() const { return engine_; }
  std::int32_t Z() const { return z_; }
  bool IsDead() const { return isDead_; }

  // Where the sprite was at the end of the tick `ticksBack` ticks ago (1 or 2), as far as
  // it has been tracked; where it is now for anything not tracked.
  float TrackedX(int ticksBack) const;
  float TrackedY(int ticksBack) const;
  // The last position is a jump, not motion: drawn there until the next tick.
  void Jumped() { tracked_ = 0; }
  // Moves the tracked positions with a jump that continues the motion on an identical
  // picture (a scrolling pattern that wraps), so that drawing between ticks does not show it.
  void ShiftTrack(float dx, float dy);

  std::string SpriteName;
  float X = 200.0f;
  float Y = 200.0f;
  // Corners for draw modes 3 and 4, in world coordinates; X and Y do not move them.
  FloatQuad DrawQuad{{{0.0f, 0.0f}, {10.0f, 0.0f}, {10.0f, 10.0f}, {0.0f, 10.0f}}};
  float OffsetX = 0.0f;
  float OffsetY = 0.0f;
  bool Visible = true;
  ::tvx::DrawEffect DrawEffect = EffectAlphaBlend;
  bool Mirror = false;
  bool Flip = false;
  std::uint8_t Centred = 1;  // 1 scales about the pattern centre, 0 from the top-left
  // Draw modes 2 and 4; Red, Green, Blue and Alpha (low bytes) colour the other modes.
  CanvasColor4 CornerColors{{ColorWhite, ColorWhite, ColorWhite, ColorWhite}};
  std::int32_t Red = 255;
  std::int32_t Green = 255;
  std::int32_t Blue = 255;
  std::int32_t Alpha = 255;
  bool CanCollide = false;
  bool Collided = false;  // result of this sprite's last CollideWith
  float Angle = 0.0f;
  std::string ImageName;
  std::int32_t PatternIndex = 0;
  std::int32_t ImageNumber = 0;  // appended to ImageName when ImageNaming is 0
  float ScaleX = 1.0f;
  float ScaleY = 1.0f;
  float ShiftX = 0.0f;
  float ShiftY = 0.0f;
  bool MoveEnabled = true;  // false stops an animated sprite's animation
  std::int32_t DrawMode = 0;
  // Drawn only while X and Y lie strictly inside, shifted by the engine's world offset.
  gfx::Rect DrawBounds{-200, -200, 1024, 768};
  float CollideCenterX = 0.0f;
  float CollideCenterY = 0.0f;
  std::int32_t CollideRadius = 0;
  gfx::Rect CollideRect{};
  FloatQuad CollideQuad{};
  std::uint8_t CollideMode = 0;
  // 0: ImageName followed by ImageNumber; 1: ImageName alone; other values: no name.
  std::uint8_t ImageNaming = 1;
  // Added to X and Y by Draw only; set by the engine's Draw (see above).
  float TweenX = 0.0f;
  float TweenY = 0.0f;

 protected:
  // The position lies strictly inside DrawBounds shifted by the engine's world offset, and
  // the sprite is visible.
  bool InDrawArea() const;

 private:
  bool Hits(const TSprite& other) const;
  // The name looked up in the image list, by ImageNaming.
  const std::string& ResolvedImageName();

  friend class TSpriteEngine;
  // Called by the engine's Track: the position now ends a tick.
  void Track();
  // Sets the tweens for a picture `lag` ticks (0 to 2) behind X and Y.
  void TweenBack(float lag);

  TSpriteEngine& engine_;
  std::int32_t z_ = 0;
  bool isDead_ = false;
  std::string numberedName_;  // reused so that drawing by number allocates only once
  // Positions at the ends of the last two ticks, the newest first; `tracked_` of them known.
  float trackX_[2] = {0.0f, 0.0f};
  float trackY_[2] = {0.0f, 0.0f};
  std::uint8_t tracked_ = 0;
};

}  // namespace tvx
