#include "assetbuilder/art/car_painter.h"

#include <cmath>

namespace tvx::assets {
namespace {

const Rgb Glass = Hex(0x1b2a3f);
const Rgb GlassLight = Hex(0x6f8fb8);
const Rgb Tyre = Hex(0x151515);
const Rgb HeadLamp = Hex(0xfff4c8);
const Rgb TailLamp = Hex(0xe8202a);
const Rgb Black = {0, 0, 0};
const Rgb White = {1, 1, 1};

void BodyPath(cairo_t* cr, const BodyBox& b, double inset) {
  const double x = b.x + inset, y = b.y, w = b.w - 2 * inset, h = b.h;
  const double front = w * 0.34, rear = w * 0.22;
  cairo_new_sub_path(cr);
  cairo_move_to(cr, x + front, y);
  cairo_line_to(cr, x + w - front, y);
  cairo_curve_to(cr, x + w - front * 0.3, y, x + w, y + front * 0.4, x + w, y + front);
  cairo_line_to(cr, x + w, y + h - rear);
  cairo_curve_to(cr, x + w, y + h - rear * 0.3, x + w - rear * 0.3, y + h, x + w - rear, y + h);
  cairo_line_to(cr, x + rear, y + h);
  cairo_curve_to(cr, x + rear * 0.3, y + h, x, y + h - rear * 0.3, x, y + h - rear);
  cairo_line_to(cr, x, y + front);
  cairo_curve_to(cr, x, y + front * 0.4, x + front * 0.3, y, x + front, y);
  cairo_close_path(cr);
}

void Tyres(cairo_t* cr, const BodyBox& b) {
  SetColor(cr, Tyre);
  const double tw = 5, th = b.h * 0.17;
  for (const double ty : {b.y + b.h * 0.16, b.y + b.h * 0.70}) {
    RoundedRect(cr, b.x, ty, tw, th, 1.5);
    RoundedRect(cr, b.x + b.w - tw, ty, tw, th, 1.5);
  }
  cairo_fill(cr);
}

void ShadedBody(cairo_t* cr, const CarLook& look, const BodyBox& b) {
  BodyPath(cr, b, 1.6);
  LinearGradient(cr, b.x, 0, b.x + b.w, 0,
                 {{0.0, look.body.Scaled(0.45)},
                  {0.16, look.body.Scaled(0.85)},
                  {0.42, look.body.Mix(White, 0.35)},
                  {0.58, look.body.Mix(White, 0.2)},
                  {0.84, look.body.Scaled(0.8)},
                  {1.0, look.body.Scaled(0.4)}},
                 Cover::kFillPreserve);
  // Light from the top of the screen: front brighter, rear a little darker.
  LinearGradient(cr, 0, b.y, 0, b.y + b.h,
                 {{0.0, White, 0.18}, {0.4, White, 0.0}, {1.0, Black, 0.22}}, Cover::kFillPreserve);
  SetColor(cr, Black, 0.65);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
}

void Stripes(cairo_t* cr, const CarLook& look, const BodyBox& b) {
  const double cx = b.x + b.w / 2;
  SetColor(cr, look.accent, 0.95);
  cairo_rectangle(cr, cx - 5.5, b.y + 1, 3.5, b.h - 2);
  cairo_rectangle(cr, cx + 2, b.y + 1, 3.5, b.h - 2);
  cairo_fill(cr);
}

void Trapezoid(cairo_t* cr, double cx, double top, double bottom, double topHalf,
               double bottomHalf) {
  cairo_move_to(cr, cx - topHalf, top);
  cairo_line_to(cr, cx + topHalf, top);
  cairo_line_to(cr, cx + bottomHalf, bottom);
  cairo_line_to(cr, cx - bottomHalf, bottom);
  cairo_close_path(cr);
}

void FillGlass(cairo_t* cr, double top, double bottom) {
  LinearGradient(cr, 0, top, 0, bottom, {{0, GlassLight}, {0.55, Glass}, {1, Glass.Scaled(0.7)}});
}

void Cabin(cairo_t* cr, const CarLook& look, const BodyBox& b) {
  const double cx = b.x + b.w / 2, h = b.h, half = b.w / 2;
  const bool van = look.shape == CarShape::Van;
  const double shieldTop = b.y + h * (look.shape == CarShape::Sports ? 0.34 : 0.26);
  const double roofTop = shieldTop + h * 0.15;
  const double roofBottom = b.y + h * (van                                 ? 0.93
                                       : look.shape == CarShape::Hatchback ? 0.74
                                                                           : 0.68);
  // Windshield, side glass, rear window.
  Trapezoid(cr, cx, shieldTop, roofTop, half - 7, half - 4.2);
  FillGlass(cr, shieldTop, roofTop);
  SetColor(cr, Glass);
  cairo_rectangle(cr, b.x + 3.6, roofTop, 1.8, roofBottom - roofTop);
  cairo_rectangle(cr, b.x + b.w - 5.4, roofTop, 1.8, roofBottom - roofTop);
  cairo_fill(cr);
  if (!van) {
    Trapezoid(cr, cx, roofBottom, roofBottom + h * 0.09, half - 4.2, half - 7);
    FillGlass(cr, roofBottom, roofBottom + h * 0.09);
  }
  // Roof panel with its own soft gradient.
  RoundedRect(cr, b.x + 5.4, roofTop, b.w - 10.8, roofBottom - roofTop, 3);
  const Rgb roof =
      look.shape == CarShape::Sports ? look.body.Scaled(0.55) : look.body.Mix(White, 0.12);
  LinearGradient(cr, b.x + 5, 0, b.x + b.w - 5, 0,
                 {{0, roof.Scaled(0.75)}, {0.45, roof.Mix(White, 0.25)}, {1, roof.Scaled(0.7)}});
  // Reflection streak across the windshield.
  cairo_move_to(cr, cx - half + 9, roofTop - 1);
  cairo_line_to(cr, cx - half + 14, shieldTop + 1);
  cairo_line_to(cr, cx - half + 17, shieldTop + 1);
  cairo_line_to(cr, cx - half + 12, roofTop - 1);
  cairo_close_path(cr);
  SetColor(cr, White, 0.45);
  cairo_fill(cr);
  if (look.shape == CarShape::Taxi) {
    RoundedRect(cr, cx - 6, roofTop + (roofBottom - roofTop) * 0.35, 12, 6, 1.5);
    SetColor(cr, look.accent);
    cairo_fill_preserve(cr);
    SetColor(cr, Black, 0.6);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
}

void Details(cairo_t* cr, const CarLook& look, const BodyBox& b, bool wrecked) {
  const double cx = b.x + b.w / 2;
  // Bonnet crease lines.
  SetColor(cr, Black, 0.25);
  cairo_set_line_width(cr, 0.8);
  cairo_move_to(cr, cx - 6, b.y + 4);
  cairo_line_to(cr, cx - 7, b.y + b.h * 0.24);
  cairo_move_to(cr, cx + 6, b.y + 4);
  cairo_line_to(cr, cx + 7, b.y + b.h * 0.24);
  cairo_stroke(cr);
  if (look.shape == CarShape::Sports) {
    // Bonnet scoop and a rear wing spanning the body.
    RoundedRect(cr, cx - 4, b.y + b.h * 0.1, 8, b.h * 0.12, 2);
    SetColor(cr, Black, 0.55);
    cairo_fill(cr);
    RoundedRect(cr, b.x + 2, b.y + b.h - 9, b.w - 4, 4, 1.5);
    LinearGradient(cr, 0, b.y + b.h - 9, 0, b.y + b.h - 5,
                   {{0, look.body.Mix(White, 0.4)}, {1, look.body.Scaled(0.35)}},
                   Cover::kFillPreserve);
    SetColor(cr, Black, 0.6);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
  }
  // Mirrors at the foot of the windshield.
  SetColor(cr, look.body.Scaled(0.6));
  Ellipse(cr, b.x + 1.8, b.y + b.h * 0.36, 1.8, 2.4);
  Ellipse(cr, b.x + b.w - 1.8, b.y + b.h * 0.36, 1.8, 2.4);
  cairo_fill(cr);
  // Lamps.
  const Rgb head = wrecked ? Hex(0x3a3a36) : HeadLamp;
  const Rgb tail = wrecked ? Hex(0x3a1010) : TailLamp;
  SetColor(cr, head);
  RoundedRect(cr, b.x + 4, b.y + 1.4, 7, 3, 1.4);
  RoundedRect(cr, b.x + b.w - 11, b.y + 1.4, 7, 3, 1.4);
  cairo_fill(cr);
  SetColor(cr, tail);
  RoundedRect(cr, b.x + 4, b.y + b.h - 3.6, 7, 2.4, 1);
  RoundedRect(cr, b.x + b.w - 11, b.y + b.h - 3.6, 7, 2.4, 1);
  cairo_fill(cr);
  if (!wrecked) {
    Glow(cr, b.x + 7.5, b.y + 2.5, 5, HeadLamp, 0.55);
    Glow(cr, b.x + b.w - 7.5, b.y + 2.5, 5, HeadLamp, 0.55);
  }
}

void WreckDamage(cairo_t* cr, const BodyBox& b, std::uint32_t seed) {
  ArtRandom rnd(seed);
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);  // damage stays on the car itself
  cairo_set_source_rgba(cr, 0.05, 0.04, 0.03, 0.45);
  cairo_paint(cr);
  for (int i = 0; i < 6; ++i) {
    const double x = b.x + rnd.Uniform(0.1, 0.9) * b.w, y = b.y + rnd.Uniform(0.05, 0.95) * b.h;
    Glow(cr, x, y, rnd.Uniform(6, 12), Hex(0x0a0806), 0.8);
  }
  // Dents: a dark crease with a lit lip.
  for (int i = 0; i < 4; ++i) {
    const double x = b.x + rnd.Uniform(0.15, 0.85) * b.w, y = b.y + rnd.Uniform(0.05, 0.95) * b.h;
    const double len = rnd.Uniform(4, 8), angle = rnd.Uniform(0, M_PI);
    cairo_set_line_width(cr, 1.4);
    cairo_move_to(cr, x - len * std::cos(angle), y - len * std::sin(angle));
    cairo_line_to(cr, x + len * std::cos(angle), y + len * std::sin(angle));
    cairo_set_source_rgba(cr, 0, 0, 0, 0.7);
    cairo_stroke(cr);
    cairo_move_to(cr, x - len * std::cos(angle), y + 1 - len * std::sin(angle));
    cairo_line_to(cr, x + len * std::cos(angle), y + 1 + len * std::sin(angle));
    cairo_set_line_width(cr, 0.6);
    cairo_set_source_rgba(cr, 1, 0.9, 0.8, 0.35);
    cairo_stroke(cr);
  }
  // Shattered windshield: cracks from an impact point.
  const double ix = b.x + b.w * rnd.Uniform(0.35, 0.65), iy = b.y + b.h * 0.33;
  cairo_set_line_width(cr, 0.6);
  cairo_set_source_rgba(cr, 0.85, 0.9, 1.0, 0.75);
  for (int i = 0; i < 9; ++i) {
    const double angle = i * 2 * M_PI / 9 + rnd.Uniform(-0.3, 0.3), len = rnd.Uniform(4, 9);
    cairo_move_to(cr, ix, iy);
    cairo_line_to(cr, ix + len * std::cos(angle), iy + len * std::sin(angle) * 0.7);
  }
  cairo_stroke(cr);
  // Smoke-stained, crumpled front.
  LinearGradient(cr, 0, b.y, 0, b.y + b.h * 0.3, {{0, Black, 0.75}, {1, Black, 0}}, Cover::kPaint);
  cairo_restore(cr);
  // Paint scraped off all round to bare steel: the charred shell would vanish on dark asphalt.
  BodyPath(cr, b, 1.6);
  SetColor(cr, Hex(0xd4d8dc));
  cairo_set_line_width(cr, 2.4);
  cairo_stroke(cr);
}

}  // namespace

void PaintCar(cairo_t* cr, const CarLook& look, const BodyBox& box, bool wrecked,
              std::uint32_t seed, int surfaceWidth, int surfaceHeight) {
  Tyres(cr, box);
  ShadedBody(cr, look, box);
  if (look.stripes) Stripes(cr, look, box);
  Cabin(cr, look, box);
  Details(cr, look, box, wrecked);
  if (wrecked) WreckDamage(cr, box, seed);
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OVER);  // the shadow goes under the finished car
  PaintBlurred(cr, surfaceWidth, surfaceHeight, 3, 0.55, [&](cairo_t* s) {
    RoundedRect(s, box.x + 1.5, box.y + 3, box.w - 1, box.h - 1, 8);
    cairo_set_source_rgba(s, 0, 0, 0, 1);
    cairo_fill(s);
  });
  cairo_restore(cr);
}

}  // namespace tvx::assets
