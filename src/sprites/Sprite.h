// The base sprite: a position, a depth, an image drawn through the engine's canvas in one of
// five ways (DrawMode 0 tinted, 1 rotated, 2 corner colours, 3 and 4 mapped onto DrawQuad),
// and one collision shape chosen by CollideMode (collide::Circle, Rectangle or Quadrilateral).
// The shapes do not follow the sprite: whoever sets CollideMode keeps them up to date.
//
// A sprite belongs to the engine given to its constructor, which inserts it at depth 0. Z
// and IsDead have invariants in the engine's lists, so they change only through SetZ and
// Kill; every other property is a plain field. The game's kinds override Move and
// HandleCollision and draw with the base Draw.
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

 protected:
  // The position lies strictly inside DrawBounds shifted by the engine's world offset, and
  // the sprite is visible.
  bool InDrawArea() const;

 private:
  bool Hits(const TSprite& other) const;
  // The name looked up in the image list, by ImageNaming.
  const std::string& ResolvedImageName();

  TSpriteEngine& engine_;
  std::int32_t z_ = 0;
  bool isDead_ = false;
  std::string numberedName_;  // reused so that drawing by number allocates only once
};

}  // namespace tvx
