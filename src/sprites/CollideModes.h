// The collision shapes a sprite's CollideMode chooses between.
#pragma once

#include <cstdint>

namespace tvx::collide {

constexpr std::uint8_t Circle = 0;         // CollideCenterX/Y and CollideRadius
constexpr std::uint8_t Rectangle = 1;      // CollideRect
constexpr std::uint8_t Quadrilateral = 2;  // CollideQuad

}  // namespace tvx::collide
