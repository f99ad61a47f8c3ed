// Painting helpers shared by every picture: a fixed-seed random source, the palette type,
// rounded shapes, gradients, a box blur for soft shadows and glows, and the step that turns
// painted cairo surfaces into the patterns of an ImageAsset.
//
// Everything is deterministic: randomness comes from ArtRandom with a seed per picture, and
// cairo only rasterises paths (no text, no system fonts).
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "assetbuilder/image_asset.h"

namespace tvx::assets {

// A small linear congruential generator; each picture seeds its own.
class ArtRandom {
 public:
  explicit ArtRandom(std::uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_;
  }
  double Uniform(double low, double high) {
    return low + (high - low) * ((Next() >> 8) / 16777216.0);
  }
  int Int(int n) { return static_cast<int>((static_cast<std::uint64_t>(Next()) * n) >> 32); }

 private:
  std::uint32_t state_;
};

struct Rgb {
  double r, g, b;
  Rgb Scaled(double f) const { return {r * f, g * f, b * f}; }
  Rgb Mix(const Rgb& o, double t) const {
    return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t};
  }
};

Rgb Hex(std::uint32_t rrggbb);
void SetColor(cairo_t* cr, const Rgb& c, double alpha = 1.0);
void AddStop(cairo_pattern_t* p, double offset, const Rgb& c, double alpha = 1.0);

struct GradientStop {
  double offset;
  Rgb color;
  double alpha = 1.0;
};
// What a gradient covers, as cairo's cairo_fill, cairo_fill_preserve and cairo_paint do.
enum class Cover { kFill, kFillPreserve, kPaint };
// Covers with a linear gradient from (x0, y0) to (x1, y1).
void LinearGradient(cairo_t* cr, double x0, double y0, double x1, double y1,
                    std::initializer_list<GradientStop> stops, Cover cover = Cover::kFill);
// Covers with a radial gradient from the circle (x0, y0, r0) to the circle (x1, y1, r1).
void RadialGradient(cairo_t* cr, double x0, double y0, double r0, double x1, double y1, double r1,
                    std::initializer_list<GradientStop> stops, Cover cover = Cover::kFill);

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
// A new path holding one circle, filled with a flat colour.
void FillCircle(cairo_t* cr, double cx, double cy, double radius, const Rgb& c, double alpha = 1.0);
// Fills the current path with a radial glow: colour at the centre fading to transparent.
void FillRadial(cairo_t* cr, double cx, double cy, double radius, const Rgb& c, double alpha);
// A soft round light: radial gradient from centre alpha to nothing, painted as a disc.
void Glow(cairo_t* cr, double cx, double cy, double radius, const Rgb& c, double alpha);

// Box-blur passes over a premultiplied surface (three of them come close to a Gaussian). wrapY
// makes the blur treat the picture as repeating vertically, for seamless road tiles.
void BlurSurface(cairo_surface_t* surface, int radius, bool wrapY = false);

// Paints `draw` into a transparent offscreen of the given size, blurs it, and composites it
// onto cr at (0, 0) with the given opacity: soft shadows and halos.
void PaintBlurred(cairo_t* cr, int width, int height, int radius, double opacity,
                  const std::function<void(cairo_t*)>& draw, bool wrapY = false);

// One ImageAsset whose patterns are painted one by one into transparent surfaces.
ImageAsset PaintPatterns(std::string key, int width, int height, int count,
                         const std::function<void(cairo_t*, int)>& painter);

}  // namespace tvx::assets
