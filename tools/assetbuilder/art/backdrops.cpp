#include "assetbuilder/art/backdrops.h"

#include <cmath>

#include "assetbuilder/art/paint.h"
#include "game/ImageNames.h"

namespace tvx::assets {
namespace {

const Rgb White = {1, 1, 1};
const Rgb Black = {0, 0, 0};

void VerticalGradient(cairo_t* cr, double y0, double y1,
                      std::initializer_list<GradientStop> stops) {
  LinearGradient(cr, 0, y0, 0, y1, stops, Cover::kPaint);
}

void NextLevel(cairo_t* cr) {
  const double horizon = 236, vx = 320;
  VerticalGradient(
      cr, 0, horizon,
      {{0, Hex(0x0c0a2a)}, {0.55, Hex(0x5a1f6a)}, {0.85, Hex(0xe0506a)}, {1, Hex(0xffb060)}});
  // Sun sinking behind the hills, banded like an old arcade sunset.
  Glow(cr, vx, horizon - 10, 170, Hex(0xff7a40), 0.5);
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, NextLevelWidth, horizon);
  cairo_clip(cr);
  cairo_new_path(cr);
  cairo_arc(cr, vx, horizon - 6, 70, 0, 2 * M_PI);
  LinearGradient(cr, 0, horizon - 76, 0, horizon, {{0, Hex(0xfff0a0)}, {1, Hex(0xff5a5a)}},
                 Cover::kFillPreserve);
  cairo_clip(cr);  // the bands cut the disc only, never the sky beside it
  for (int band = 0; band < 6; ++band) {
    const double y = horizon - 40 + band * 7;
    cairo_rectangle(cr, vx - 80, y, 160, 1.5 + band * 0.6);
    SetColor(cr, Hex(0x5a1f6a));
    cairo_fill(cr);
  }
  cairo_restore(cr);
  // Hills.
  ArtRandom rnd(1000);
  for (int layer = 0; layer < 2; ++layer) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, horizon);
    for (int x = 0; x <= NextLevelWidth; x += 20) {
      cairo_line_to(cr, x,
                    horizon - 14 - layer * 10 - 18 * std::fabs(std::sin(x * 0.011 + layer * 2)) -
                        rnd.Uniform(0, 6));
    }
    cairo_line_to(cr, NextLevelWidth, horizon);
    cairo_close_path(cr);
    SetColor(cr, layer == 0 ? Hex(0x3a1440) : Hex(0x240a2c));
    cairo_fill(cr);
  }
  // Ground and the road in perspective.
  cairo_rectangle(cr, 0, horizon, NextLevelWidth, NextLevelHeight - horizon);
  LinearGradient(cr, 0, horizon, 0, NextLevelHeight, {{0, Hex(0x1a0c22)}, {1, Hex(0x0a0610)}});
  SetColor(cr, Hex(0xff4ab0), 0.35);  // neon grid lines on the ground
  cairo_set_line_width(cr, 1);
  for (int i = -12; i <= 12; ++i) {
    cairo_move_to(cr, vx + i * 6, horizon);
    cairo_line_to(cr, vx + i * 120, NextLevelHeight);
  }
  for (int i = 1; i < 10; ++i) {
    const double y = horizon + (NextLevelHeight - horizon) * std::pow(i / 10.0, 1.8);
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, NextLevelWidth, y);
  }
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, vx - 6, horizon);
  cairo_line_to(cr, vx + 6, horizon);
  cairo_line_to(cr, vx + 300, NextLevelHeight);
  cairo_line_to(cr, vx - 300, NextLevelHeight);
  cairo_close_path(cr);
  LinearGradient(cr, 0, horizon, 0, NextLevelHeight, {{0, Hex(0x2a2a3a)}, {1, Hex(0x15151c)}});
  // Centre dashes getting longer towards the viewer, and the glowing edge lines.
  for (int i = 0; i < 9; ++i) {
    const double a = std::pow(i / 9.0, 1.8), b = std::pow((i + 0.5) / 9.0, 1.8);
    const double ya = horizon + (NextLevelHeight - horizon) * a,
                 yb = horizon + (NextLevelHeight - horizon) * b;
    cairo_move_to(cr, vx - 0.5 - 5 * a, ya);
    cairo_line_to(cr, vx + 0.5 + 5 * a, ya);
    cairo_line_to(cr, vx + 0.5 + 5 * b, yb);
    cairo_line_to(cr, vx - 0.5 - 5 * b, yb);
    cairo_close_path(cr);
  }
  SetColor(cr, Hex(0xfff0c0), 0.9);
  cairo_fill(cr);
  for (const double side : {-1.0, 1.0}) {
    cairo_move_to(cr, vx + side * 6, horizon);
    cairo_line_to(cr, vx + side * 300, NextLevelHeight);
    SetColor(cr, Hex(0x40e8ff), 0.9);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
  }
  // Speed streaks and a darker band behind the level caption.
  PaintBlurred(cr, NextLevelWidth, NextLevelHeight, 6, 0.7, [&](cairo_t* s) {
    ArtRandom streaks(1001);
    for (int i = 0; i < 40; ++i) {
      const double y = streaks.Uniform(0, NextLevelHeight),
                   x = streaks.Uniform(-100, NextLevelWidth);
      cairo_rectangle(s, x, y, streaks.Uniform(60, 200), 1.5);
    }
    SetColor(s, White, 0.25);
    cairo_fill(s);
  });
  cairo_rectangle(cr, 0, 180, NextLevelWidth, 110);
  LinearGradient(cr, 0, 180, 0, 290,
                 {{0, Black, 0}, {0.3, Black, 0.45}, {0.7, Black, 0.45}, {1, Black, 0}});
}

// A burning wreck at night: a red-black sky, the overturned car in the middle, flames rising
// from it and smoke drifting over the top.
void GameOverBackdrop(cairo_t* cr) {
  VerticalGradient(cr, 16, 72, {{0, Hex(0x10040a)}, {0.55, Hex(0x2e080c)}, {1, Hex(0x6a1808)}});
  Glow(cr, 36, 58, 44, Hex(0xff5a10), 0.5);
  ArtRandom rnd(1100);
  for (int i = 0; i < 7; ++i) {
    Glow(cr, rnd.Uniform(14, 58), rnd.Uniform(18, 32), rnd.Uniform(9, 14), Hex(0x3a2a2a), 0.55);
  }
  // Flame tongues behind and above the wreck.
  for (int i = 0; i < 6; ++i) {
    const double x = 18 + i * 7 + rnd.Uniform(-2, 2), height = rnd.Uniform(14, 24),
                 w = rnd.Uniform(4, 6);
    cairo_move_to(cr, x - w, 54);
    cairo_curve_to(cr, x - w, 54 - height * 0.5, x + rnd.Uniform(-3, 3), 54 - height * 0.8, x,
                   54 - height);
    cairo_curve_to(cr, x + w * 0.4, 54 - height * 0.6, x + w, 54 - height * 0.4, x + w, 54);
    cairo_close_path(cr);
    LinearGradient(cr, 0, 54 - height, 0, 54,
                   {{0, Hex(0xff3a10), 0.0}, {0.4, Hex(0xff8a20), 0.85}, {1, Hex(0xffe080), 1.0}});
  }
  // The wreck on its roof: body, cabin below it, wheels in the air, a rim of firelight.
  RoundedRect(cr, 12, 46, 48, 12, 5);
  SetColor(cr, Hex(0x0e0707));
  cairo_fill(cr);
  RoundedRect(cr, 21, 56, 30, 8, 3);
  SetColor(cr, Hex(0x140a0a));
  cairo_fill(cr);
  for (const double wx : {20.0, 52.0}) {
    FillCircle(cr, wx, 45, 5, Hex(0x050303));
    FillCircle(cr, wx, 45, 2, Hex(0x5a3a30));
  }
  cairo_move_to(cr, 13, 47);
  cairo_line_to(cr, 59, 47);
  SetColor(cr, Hex(0xffa050), 0.7);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  // Burning pool on the ground and embers.
  Ellipse(cr, 36, 66, 30, 4);
  FillRadial(cr, 36, 66, 30, Hex(0xffb040), 0.7);
  for (int i = 0; i < 10; ++i)
    Glow(cr, rnd.Uniform(10, 62), rnd.Uniform(20, 44), 1.2, Hex(0xffd080), 0.9);
  cairo_rectangle(cr, 0, 16, BackdropSize, 56);  // vignette: the text area stays calm
  RadialGradient(cr, 36, 48, 12, 36, 48, 50, {{0, Black, 0}, {1, Black, 0.6}});
}

// A showroom: deep blue, crossing spotlights, a glossy car on a lit stage. The car stands
// between the title and the score lines, so that the texts below it lie on the calm floor.
void RankingBackdrop(cairo_t* cr) {
  constexpr double stage = 47.3, middle = 33;  // the floor line under the wheels, clear of the rows
  VerticalGradient(cr, 16, 72, {{0, Hex(0x060a24)}, {0.5, Hex(0x14205a)}, {1, Hex(0x080b22)}});
  for (const double x : {8.0, 64.0}) {
    cairo_move_to(cr, x, 16);
    cairo_line_to(cr, middle + (x - middle) * 0.1 - 7, stage);
    cairo_line_to(cr, middle + (x - middle) * 0.1 + 7, stage);
    cairo_close_path(cr);
    LinearGradient(cr, 0, 16, 0, stage, {{0, Hex(0x9fd0ff), 0.35}, {1, Hex(0x9fd0ff), 0.08}});
  }
  Ellipse(cr, middle, stage - 0.5, 25, 2.2);
  FillRadial(cr, middle, stage - 0.5, 25, Hex(0x6fb0ff), 0.45);
  // The car from the side, a little smaller than the stage: body, cabin, wheels, a highlight.
  cairo_save(cr);
  cairo_translate(cr, middle, stage);
  cairo_scale(cr, 0.8, 0.8);
  cairo_translate(cr, -36, -64.5);
  RoundedRect(cr, 16, 52, 40, 9, 4);
  LinearGradient(cr, 0, 52, 0, 61, {{0, Hex(0xff5a3a)}, {1, Hex(0x7a1410)}});
  RoundedRect(cr, 25, 46, 20, 8, 4);
  SetColor(cr, Hex(0x1a2a4a));
  cairo_fill(cr);
  for (const double wx : {24.0, 48.0}) {
    FillCircle(cr, wx, 61, 3.5, Hex(0x0a0a0e));
  }
  cairo_move_to(cr, 18, 54);
  cairo_line_to(cr, 54, 54);
  SetColor(cr, White, 0.5);
  cairo_set_line_width(cr, 0.6);
  cairo_stroke(cr);
  Glow(cr, 17, 56, 4, Hex(0xfff0c0), 0.8);
  cairo_restore(cr);
  cairo_rectangle(cr, 0, 16, BackdropSize, 56);
  RadialGradient(cr, middle, 40, 12, middle, 40, 50, {{0, Black, 0}, {1, Black, 0.55}});
}

// Softened by a small blur so that the nine-fold enlargement shows no stair-stepped edges.
ImageAsset EnlargedBackdrop(const char* key, void (*paint)(cairo_t*)) {
  return PaintPatterns(key, BackdropSize, BackdropSize, 1, [paint](cairo_t* cr, int) {
    cairo_surface_t* layer =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, BackdropSize, BackdropSize);
    cairo_t* lc = cairo_create(layer);
    paint(lc);
    cairo_destroy(lc);
    BlurSurface(layer, 1);
    cairo_set_source_surface(cr, layer, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(layer);
  });
}

}  // namespace

std::vector<ImageAsset> BuildBackdropImages() {
  std::vector<ImageAsset> images;
  images.push_back(PaintPatterns(image::NextLevel, NextLevelWidth, NextLevelHeight, 1,
                                 [](cairo_t* cr, int) { NextLevel(cr); }));
  images.push_back(EnlargedBackdrop(image::GameOverBackdrop, GameOverBackdrop));
  images.push_back(EnlargedBackdrop(image::RankingBackdrop, RankingBackdrop));
  return images;
}

}  // namespace tvx::assets
