// CarPainter: one car seen from above, facing up, painted into a given body box so that the
// body (tyres and mirrors included) fills exactly the box the game collides with.
//
// A car is a shaded body (side-to-side gradient for a rounded look, a thin dark rim), glass
// with a reflection streak, roof, lights and optional racing stripes; a wreck is the same car
// darkened, scorched, dented and with shattered glass. The soft shadow falls down-right and
// spreads at most a few pixels beyond the box.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "assetbuilder/art/paint.h"

namespace tvx::assets {

enum class CarShape { Sedan, Hatchback, Van, Taxi, Sports };

struct CarLook {
  Rgb body;
  Rgb accent;  // stripes, roof sign
  CarShape shape;
  bool stripes;
};

struct BodyBox {
  double x, y, w, h;
};

void PaintCar(cairo_t* cr, const CarLook& look, const BodyBox& box, bool wrecked,
              std::uint32_t seed, int surfaceWidth, int surfaceHeight);

}  // namespace tvx::assets
