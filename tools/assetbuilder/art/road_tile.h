// RoadTile: the 640 x 480 picture that the road repeats, and the pieces every road scene is
// made of: ground, asphalt, markings and roadside things.
//
// The tile must wrap vertically without a seam. Per-pixel noise is periodic by construction,
// blurs wrap vertically, and anything placed near the top or bottom edge is painted again one
// tile height above or below (Wrapped), so the two ends join.
#pragma once

#include <cairo.h>

#include <functional>

#include "assetbuilder/art/paint.h"

namespace tvx::assets {

constexpr int TileWidth = 640, TileHeight = 480;
constexpr double AsphaltLeft = 120, AsphaltRight = 525;
constexpr double LaneDash = 40, LanePeriod = 80;  // LanePeriod divides the tile height

struct RoadStyle {
  Rgb asphalt;
  double grain;  // noise amplitude 0..1
  Rgb lines;     // lane dashes and edge lines
  double lineAlpha;
  Rgb kerbA, kerbB;  // alternating kerb blocks; kerbA == kerbB gives a plain shoulder
  bool wet;          // long glossy streaks
};

// Calls paint with y offsets -480, 0 and +480 so shapes crossing an edge wrap around.
void Wrapped(cairo_t* cr, const std::function<void()>& paint);

// Adds periodic luminance noise to the pixels in x0..x1 of an opaque surface.
void AddGrain(cairo_surface_t* surface, int x0, int x1, double amount, std::uint32_t seed);

void FillGround(cairo_t* cr, double x0, double x1, const Rgb& top, const Rgb& bottom);
void PaintRoad(cairo_t* cr, cairo_surface_t* surface, const RoadStyle& style, std::uint32_t seed);

// Roadside things, each at a centre point; shadows are painted separately by the caller
// through ShadowPass so that one blur serves a whole scene.
void PaintRoundTree(cairo_t* cr, double x, double y, double r, const Rgb& leaf, std::uint32_t seed);
void PaintPine(cairo_t* cr, double x, double y, double r, const Rgb& needles, bool snow);
void PaintRock(cairo_t* cr, double x, double y, double r, const Rgb& stone, std::uint32_t seed);
void PaintPalm(cairo_t* cr, double x, double y, double r);
void PaintCactus(cairo_t* cr, double x, double y, double r);
void PaintRoof(cairo_t* cr, double x, double y, double w, double h, const Rgb& roof,
               const Rgb& neon, std::uint32_t seed);
void PaintContainer(cairo_t* cr, double x, double y, double w, double h, const Rgb& paint);
void PaintPipeColumn(cairo_t* cr, double x, double width, const Rgb& metal);
void PaintPuddle(cairo_t* cr, double x, double y, double rx, double ry, const Rgb& sky);
void PaintLightPool(cairo_t* cr, double x, double y, double r, const Rgb& light, double alpha);

// Soft shadows of discs (centre, radius) offset down-right.
void ShadowPass(cairo_t* cr, const std::function<void(cairo_t*)>& shapes, int blur, double opacity);

}  // namespace tvx::assets
