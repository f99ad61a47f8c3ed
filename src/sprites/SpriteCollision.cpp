// The pair test of TSprite: the caller's shape decides how the pair is compared.
#include <cmath>
#include <cstdint>

#include "sprites/Sprite.h"

namespace tvx {

namespace {

bool CirclesOverlap(float ax, float ay, std::int32_t aRadius, float bx, float by,
                    std::int32_t bRadius) {
  const long double dx = static_cast<long double>(ax) - bx;
  const long double dy = static_cast<long double>(ay) - by;
  const long double distance = std::sqrt(dx * dx + dy * dy);
  // Touching circles (radius sum equal to the distance) do not collide.
  return static_cast<long double>(std::int64_t{aRadius} + bRadius) > distance;
}

bool RectsOverlap(const gfx::Rect& a, const gfx::Rect& b) {
  // Strict on every side: rectangles that share an edge do not collide.
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// (a - b) . (c - d) in extended precision, the result rounded to a 32-bit float.
float DotOfDifferences(const FloatPoint& a, const FloatPoint& b, const FloatPoint& c,
                       const FloatPoint& d) {
  const long double x1 = static_cast<long double>(a.x) - b.x;
  const long double y1 = static_cast<long double>(a.y) - b.y;
  const long double x2 = static_cast<long double>(c.x) - d.x;
  const long double y2 = static_cast<long double>(c.y) - d.y;
  return static_cast<float>(x1 * x2 + y1 * y2);
}

// Deliberately dot products of each edge with the corner's offset from the edge before it,
// not cross products: this is the game's own inside rule and its collisions depend on it.
bool CornerInside(const FloatQuad& p, const FloatPoint& q) {
  return DotOfDifferences(p.p[2], p.p[1], q, p.p[0]) >= 0.0f &&
         DotOfDifferences(p.p[3], p.p[2], q, p.p[1]) >= 0.0f &&
         DotOfDifferences(p.p[0], p.p[3], q, p.p[2]) >= 0.0f &&
         DotOfDifferences(p.p[1], p.p[0], q, p.p[3]) >= 0.0f;
}

// Only the other quad's corners are tested against the caller's, so the test is one-sided.
bool QuadsOverlap(const FloatQuad& caller, const FloatQuad& other) {
  for (const FloatPoint& corner : other.p) {
    if (CornerInside(caller, corner)) return true;
  }
  return false;
}

}  // namespace

bool TSprite::Hits(const TSprite& other) const {
  switch (CollideMode) {
    case collide::Circle:
      return CirclesOverlap(CollideCenterX, CollideCenterY, CollideRadius, other.CollideCenterX,
                            other.CollideCenterY, other.CollideRadius);
    case collide::Rectangle:
      return RectsOverlap(CollideRect, other.CollideRect);
    case collide::Quadrilateral:
      return QuadsOverlap(CollideQuad, other.CollideQuad);
    default:
      return false;
  }
}

void TSprite::CollideWith(TSprite& other) {
  Collided = false;
  if (!CanCollide || !other.CanCollide || isDead_ || other.isDead_) return;
  const bool hit = Hits(other);
  Collided = hit;
  if (!hit) return;
  HandleCollision(other);
  other.HandleCollision(*this);
}

}  // namespace tvx
