#include "assetbuilder/art/obstacles.h"

#include <cmath>

#include "assetbuilder/art/paint.h"
#include "game/PlayFieldKinds.h"

namespace tvx::assets {
namespace {

const Rgb White = {1, 1, 1};
const Rgb Black = {0, 0, 0};

void DropShadow(cairo_t* cr, int w, int h, const std::function<void(cairo_t*)>& shape) {
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OVER);
  PaintBlurred(cr, w, h, 4, 0.5, [&](cairo_t* s) {
    cairo_translate(s, 3, 4);
    shape(s);
    cairo_set_source_rgba(s, 0, 0, 0, 1);
    cairo_fill(s);
  });
  cairo_restore(cr);
}

// A steel drum lying across the road: a cylinder lit from above, with rolling rings.
void LyingDrum(cairo_t* cr) {
  const double cx = LyingBarrelWidth / 2.0, cy = 39, halfLength = 43.5, radius = 17;
  const Rgb steel = Hex(0x2f64b0);
  const auto body = [&](cairo_t* c) {
    RoundedRect(c, cx - halfLength, cy - radius, 2 * halfLength, 2 * radius, 6);
  };
  body(cr);
  LinearGradient(cr, 0, cy - radius, 0, cy + radius,
                 {{0, steel.Scaled(0.5)},
                  {0.25, steel.Mix(White, 0.45)},
                  {0.5, steel},
                  {1, steel.Scaled(0.35)}});
  for (const double rx : {cx - halfLength * 0.45, cx + halfLength * 0.45}) {
    cairo_rectangle(cr, rx - 2, cy - radius, 4, 2 * radius);
    LinearGradient(cr, 0, cy - radius, 0, cy + radius,
                   {{0, Black, 0.6}, {0.25, White, 0.5}, {1, Black, 0.7}});
  }
  // Caps at both ends and a yellow band with rust spots.
  for (const double ex : {cx - halfLength + 2, cx + halfLength - 2}) {
    Ellipse(cr, ex, cy, 3, radius - 1);
    SetColor(cr, steel.Scaled(0.3));
    cairo_fill(cr);
  }
  cairo_rectangle(cr, cx - 7, cy - radius, 14, 2 * radius);
  SetColor(cr, Hex(0xf2c12e), 0.85);
  cairo_fill(cr);
  ArtRandom rnd(11);
  for (int i = 0; i < 7; ++i) {
    Glow(cr, cx + rnd.Uniform(-halfLength + 6, halfLength - 6),
         cy + rnd.Uniform(-radius + 4, radius - 4), rnd.Uniform(2, 4), Hex(0x7a3a12), 0.6);
  }
  RoundedRect(cr, cx - halfLength, cy - radius, 2 * halfLength, 2 * radius, 6);
  SetColor(cr, Black, 0.6);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  DropShadow(cr, LyingBarrelWidth, LyingBarrelHeight, body);
}

// An upright drum seen from above: the lid with its rims and bung caps.
void UprightDrum(cairo_t* cr, bool explosive) {
  const double cx = UprightBarrelWidth / 2.0, cy = 45.5, radius = 24;
  const Rgb paint = explosive ? Hex(0xd8261e) : Hex(0x3f8a3a);
  const auto disc = [&](cairo_t* c) {
    cairo_new_sub_path(c);
    cairo_arc(c, cx, cy, radius, 0, 2 * M_PI);
  };
  if (explosive) Glow(cr, cx, cy, radius + 7, Hex(0xff6a1a), 0.55);  // it looks hot
  disc(cr);
  RadialGradient(cr, cx - 8, cy - 8, 2, cx, cy, radius,
                 {{0, paint.Mix(White, 0.45)}, {0.7, paint}, {1, paint.Scaled(0.45)}});
  for (const double r : {radius - 2.5, radius - 7.5}) {
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetColor(cr, Black, 0.45);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke_preserve(cr);
    SetColor(cr, White, 0.25);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
  }
  if (explosive) {
    // Hazard ring of yellow and black segments and a flame mark in the middle.
    for (int s = 0; s < 12; ++s) {
      cairo_new_path(cr);
      cairo_arc(cr, cx, cy, radius - 5, s * M_PI / 6, (s + 1) * M_PI / 6);
      cairo_arc_negative(cr, cx, cy, radius - 10, (s + 1) * M_PI / 6, s * M_PI / 6);
      cairo_close_path(cr);
      SetColor(cr, s % 2 == 0 ? Hex(0xffd21a) : Hex(0x161616));
      cairo_fill(cr);
    }
    FillCircle(cr, cx, cy, radius - 10, Hex(0xffd21a));
    cairo_move_to(cr, cx, cy - 10);
    cairo_curve_to(cr, cx + 9, cy - 2, cx + 7, cy + 9, cx, cy + 9);
    cairo_curve_to(cr, cx - 7, cy + 9, cx - 9, cy - 1, cx - 3, cy - 5);
    cairo_curve_to(cr, cx - 2, cy - 1, cx, cy, cx, cy - 10);
    SetColor(cr, Hex(0xc81a10));
    cairo_fill(cr);
  } else {
    for (const double dx : {-9.0, 9.0}) {
      FillCircle(cr, cx + dx, cy - 3, 3, paint.Scaled(0.35));
    }
  }
  disc(cr);
  SetColor(cr, Black, 0.7);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  DropShadow(cr, UprightBarrelWidth, UprightBarrelHeight, disc);
}

void Gear(cairo_t* cr, double cx, double cy, double radius, double turn) {
  const int teeth = 10;
  cairo_new_path(cr);
  for (int i = 0; i < teeth * 4; ++i) {
    const double a = turn + i * 2 * M_PI / (teeth * 4);
    const double r = (i % 4 == 0 || i % 4 == 1) ? radius : radius * 0.78;
    cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, cx, cy, radius * 0.32, 2 * M_PI, 0);
  LinearGradient(cr, cx - radius, cy - radius, cx + radius, cy + radius,
                 {{0, Hex(0xf4f8ff)}, {0.5, Hex(0x9aa4b4)}, {1, Hex(0x4a5260)}},
                 Cover::kFillPreserve);
  SetColor(cr, Black, 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void RepairPickup(cairo_t* cr, int frame) {
  const double cx = PickupWidth / 2.0, cy = PickupHeight / 2.0;
  Glow(cr, cx, cy, 15, Hex(0x3aff6a), 0.6);
  Gear(cr, cx, cy, 12.5, frame * M_PI / 20);  // half a tooth per frame: it spins
  FillCircle(cr, cx, cy, 3.2, Hex(0x2ad45a));
}

void BoostPickup(cairo_t* cr, int frame) {
  const double cx = PickupWidth / 2.0, cy = PickupHeight / 2.0;
  const double t = frame / static_cast<double>(FieldKindPatterns(image::BoostPickUp));
  const double pulse = 0.5 + 0.5 * std::cos(t * 2 * M_PI);
  Glow(cr, cx, cy, 13 + 2 * pulse, Hex(0xffc21a), 0.5 + 0.3 * pulse);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, 6 + 7 * t, 0, 2 * M_PI);  // an expanding ring
  SetColor(cr, Hex(0xfff0a0), 0.8 * (1 - t));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, 9, 0, 2 * M_PI);
  RadialGradient(cr, cx - 3, cy - 3, 1, cx, cy, 9,
                 {{0, Hex(0xfffbe0)}, {0.5, Hex(0xffd21a)}, {1, Hex(0xd07a0a)}});
  // Lightning bolt.
  cairo_move_to(cr, cx + 2, cy - 7);
  cairo_line_to(cr, cx - 4, cy + 1);
  cairo_line_to(cr, cx - 0.5, cy + 1);
  cairo_line_to(cr, cx - 2, cy + 7);
  cairo_line_to(cr, cx + 4, cy - 1.5);
  cairo_line_to(cr, cx + 0.5, cy - 1.5);
  cairo_close_path(cr);
  SetColor(cr, Hex(0xc0400a));
  cairo_fill(cr);
}

void DizzyPickup(cairo_t* cr, int frame) {
  const double cx = PickupWidth / 2.0, cy = PickupHeight / 2.0, radius = 11;
  const double turn = frame * 2 * M_PI / FieldKindPatterns(image::DizzyPickUp) /
                      2;  // two arms: half a turn per cycle loops
  Glow(cr, cx, cy, 15, Hex(0xffe21a), 0.45);
  FillCircle(cr, cx, cy, radius, Hex(0xffd21a));
  for (int arm = 0; arm < 2; ++arm) {
    cairo_new_path(cr);
    for (int i = 0; i <= 40; ++i) {
      const double s = i / 40.0, a = turn + arm * M_PI + s * 3.2 * M_PI;
      cairo_line_to(cr, cx + radius * s * std::cos(a), cy + radius * s * std::sin(a));
    }
    cairo_set_line_width(cr, 2.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, Hex(0x141414));
    cairo_stroke(cr);
  }
  // A pale rim: the black arms would otherwise merge with dark asphalt.
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, radius - 0.4, 0, 2 * M_PI);
  SetColor(cr, Hex(0xfff4b0));
  cairo_set_line_width(cr, 2.6);
  cairo_stroke(cr);
  Glow(cr, cx - 4, cy - 4, 4, White, 0.6);
}

}  // namespace

std::vector<ImageAsset> BuildObstacleImages() {
  // Each picture has the pattern count the play field's kind table gives it.
  const auto paint = [](const char* key, int width, int height,
                        const std::function<void(cairo_t*, int)>& painter) {
    return PaintPatterns(key, width, height, FieldKindPatterns(key), painter);
  };
  std::vector<ImageAsset> images;
  images.push_back(paint(image::LyingBarrel, LyingBarrelWidth, LyingBarrelHeight,
                         [](cairo_t* cr, int) { LyingDrum(cr); }));
  images.push_back(paint(image::UprightBarrel, UprightBarrelWidth, UprightBarrelHeight,
                         [](cairo_t* cr, int) { UprightDrum(cr, false); }));
  images.push_back(paint(image::ExplosiveBarrel, UprightBarrelWidth, UprightBarrelHeight,
                         [](cairo_t* cr, int) { UprightDrum(cr, true); }));
  images.push_back(paint(image::RepairPickUp, PickupWidth, PickupHeight, RepairPickup));
  images.push_back(paint(image::BoostPickUp, PickupWidth, PickupHeight, BoostPickup));
  images.push_back(paint(image::DizzyPickUp, PickupWidth, PickupHeight, DizzyPickup));
  return images;
}

}  // namespace tvx::assets
