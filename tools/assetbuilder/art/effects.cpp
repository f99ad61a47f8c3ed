#include "assetbuilder/art/effects.h"

#include <algorithm>
#include <cmath>

#include "assetbuilder/art/paint.h"
#include "game/ImageNames.h"

namespace tvx::assets {
namespace {

const Rgb White = {1, 1, 1};

double Smooth(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// Fire colour by heat 1 (white) .. 0 (dark red).
Rgb Heat(double heat) {
  if (heat > 0.75) return Hex(0xffe8a0).Mix(Hex(0xffffff), (heat - 0.75) / 0.25);
  if (heat > 0.45) return Hex(0xff8a1a).Mix(Hex(0xffe8a0), (heat - 0.45) / 0.3);
  return Hex(0x6a1a08).Mix(Hex(0xff8a1a), heat / 0.45);
}

struct Blob {
  double angle, speed, size, wobble;
};

void Explosion(cairo_t* cr, int frame) {
  const double t = frame / (ExplodePatterns - 1.0);
  const double cx = ExplodeWidth / 2.0, cy = ExplodeHeight / 2.0;
  ArtRandom rnd(900);  // the same blobs in every frame, so the fireball evolves smoothly
  std::vector<Blob> blobs;
  for (int i = 0; i < 14; ++i)
    blobs.push_back({rnd.Uniform(0, 2 * M_PI), rnd.Uniform(0.4, 1.0), rnd.Uniform(0.5, 1.0),
                     rnd.Uniform(0, 6)});
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  // Smoke: grey puffs that spread and fade over the second half.
  const double smoke = Smooth(0.15, 0.4, t) * (1 - Smooth(0.45, 1.0, t));
  for (const Blob& b : blobs) {
    const double d = 10 + 26 * Smooth(0, 1, t) * b.speed;
    Glow(cr, cx + d * std::cos(b.angle), cy + d * std::sin(b.angle) - 8 * t, 9 + 9 * t * b.size,
         Hex(0x8a8480), 0.2 * smoke);
  }
  // Fireball: hot lobes that expand and cool.
  const double fire = 1 - Smooth(0.25, 0.7, t);
  for (const Blob& b : blobs) {
    const double d = (4 + 22 * Smooth(0, 0.5, t)) * b.speed;
    const double heat = std::clamp(1.1 - 1.4 * t - 0.3 * b.speed, 0.0, 1.0);
    Glow(cr, cx + d * std::cos(b.angle + 0.3 * t), cy + d * std::sin(b.angle + 0.3 * t),
         (8 + 16 * Smooth(0, 0.4, t)) * b.size, Heat(heat), 0.8 * fire);
  }
  // Flash: a white core and a shock ring in the first frames.
  const double flash = 1 - Smooth(0.0, 0.2, t);
  Glow(cr, cx, cy, 14 + 40 * t, White, 0.95 * flash);
  if (t < 0.3) {
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 8 + 110 * t, 0, 2 * M_PI);
    SetColor(cr, Hex(0xfff0c0), 0.6 * (1 - t / 0.3));
    cairo_set_line_width(cr, 3 * (1 - t / 0.3) + 0.5);
    cairo_stroke(cr);
  }
  // Embers flying outwards, each a hot dot with a short trail, gone before the smoke clears.
  ArtRandom sparks(901);
  for (int i = 0; i < 16; ++i) {
    const double a = sparks.Uniform(0, 2 * M_PI), v = sparks.Uniform(0.6, 1.0);
    const double d = 6 + 40 * v * Smooth(0, 0.5, t);
    const double fade = 1 - Smooth(0.1 + 0.2 * v, 0.5, t);
    if (fade <= 0) continue;
    const double x = cx + d * std::cos(a), y = cy + d * std::sin(a);
    cairo_new_path(cr);
    cairo_move_to(cr, cx + (d - 6) * std::cos(a), cy + (d - 6) * std::sin(a));
    cairo_line_to(cr, x, y);
    SetColor(cr, Hex(0xff9a40), 0.5 * fade);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    Glow(cr, x, y, 2.2, Hex(0xffe0a0), fade);
  }
}

void Smoke(cairo_t* cr, int frame) {
  // Phase of the loop: patterns 1..SmokeLoop cover one period.
  const double phase = (frame - 1) / static_cast<double>(SmokeLoop);
  const double cx = SmokeWidth / 2.0, sourceY = 34;
  const int puffs = 7;
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  for (int i = 0; i < puffs; ++i) {
    double life = phase + i / static_cast<double>(puffs);
    life -= std::floor(life);
    const double y = sourceY + life * 62;
    const double x = cx + 7 * std::sin(life * 5 + i * 1.7) * life;
    const double alpha = 0.8 * std::sin(M_PI * life) * (1 - 0.4 * life);
    Glow(cr, x, y, 10 + 20 * life, Hex(0xd0ccc8).Mix(Hex(0x807c78), life), alpha);
  }
  Glow(cr, cx, sourceY, 9, Hex(0xd8d4d0), 0.35);  // the steady plume at the bonnet
}

void Jet(cairo_t* cr, int frame) {
  const double lengths[JetPatterns] = {70, 80, 64, 76};
  const double sway[JetPatterns] = {0, 1.5, -1.2, 0.6};
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  for (const double nozzle : {JetWidth / 2.0 - 13, JetWidth / 2.0 + 13}) {
    const double len = lengths[frame] - (nozzle < JetWidth / 2.0 ? 4 : 0);
    const double x = nozzle + sway[frame];
    for (int layer = 0; layer < 3; ++layer) {
      const double width = 11 - layer * 3.5, l = len * (1 - layer * 0.28);
      cairo_new_path(cr);
      cairo_move_to(cr, nozzle - width, 2);
      cairo_curve_to(cr, nozzle - width, l * 0.45, x - 1, l * 0.8, x, l);
      cairo_curve_to(cr, x + 1, l * 0.8, nozzle + width, l * 0.45, nozzle + width, 2);
      cairo_close_path(cr);
      const Rgb c = layer == 0 ? Hex(0xff5a10) : layer == 1 ? Hex(0xffc040) : Hex(0xd8f0ff);
      LinearGradient(cr, 0, 0, 0, l, {{0, c, 0.95}, {0.6, c, 0.6}, {1, c, 0}});
    }
    Glow(cr, nozzle, 4, 12, Hex(0xffe0a0), 0.8);
  }
}

void Star(cairo_t* cr, double x, double y, double r, double spin, double alpha) {
  Glow(cr, x, y, r * 2.2, Hex(0xffe060), 0.5 * alpha);
  cairo_new_path(cr);
  for (int i = 0; i < 10; ++i) {
    const double a = spin + i * M_PI / 5 - M_PI / 2, d = (i % 2 == 0) ? r : r * 0.45;
    cairo_line_to(cr, x + d * std::cos(a), y + d * std::sin(a));
  }
  cairo_close_path(cr);
  SetColor(cr, Hex(0xffe85a), alpha);
  cairo_fill(cr);
  Glow(cr, x, y, r * 0.6, White, alpha);
}

void Stars(cairo_t* cr, int frame) {
  const double turn = frame * 2 * M_PI / StarsPatterns;
  const double cx = StarsWidth / 2.0, cy = StarsHeight / 2.0;
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  // The orbit seen at a slant: an ellipse, stars in front larger and brighter.
  cairo_new_path(cr);
  Ellipse(cr, cx, cy, 20, 8);
  SetColor(cr, Hex(0xfff0a0), 0.18);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  for (int i = 0; i < 5; ++i) {
    const double a = turn + i * 2 * M_PI / 5;
    const double depth = 0.5 + 0.5 * std::sin(a);
    Star(cr, cx + 20 * std::cos(a), cy + 8 * std::sin(a), 3.5 + 2 * depth, a * 2,
         0.55 + 0.45 * depth);
  }
}

}  // namespace

std::vector<ImageAsset> BuildEffectImages() {
  std::vector<ImageAsset> images;
  images.push_back(
      PaintPatterns(image::Explosion, ExplodeWidth, ExplodeHeight, ExplodePatterns, Explosion));
  images.push_back(PaintPatterns(image::Smoke, SmokeWidth, SmokeHeight, SmokePatterns, Smoke));
  images.push_back(PaintPatterns(image::FireJet, JetWidth, JetHeight, JetPatterns, Jet));
  images.push_back(PaintPatterns(image::Stars, StarsWidth, StarsHeight, StarsPatterns, Stars));
  return images;
}

}  // namespace tvx::assets
