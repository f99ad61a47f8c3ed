#include "assetbuilder/art/road_tile.h"

#include <algorithm>
#include <cmath>

namespace tvx::assets {
namespace {

const Rgb White = {1, 1, 1};
const Rgb Black = {0, 0, 0};

void Disc(cairo_t* cr, double x, double y, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
}

// A disc lit from the top-left: light rim to dark edge.
void ShadedDisc(cairo_t* cr, double x, double y, double r, const Rgb& c) {
  Disc(cr, x, y, r);
  RadialGradient(cr, x - r * 0.35, y - r * 0.35, r * 0.1, x, y, r,
                 {{0, c.Mix(White, 0.3)}, {0.6, c}, {1, c.Scaled(0.55)}});
}

}  // namespace

void Wrapped(cairo_t* cr, const std::function<void()>& paint) {
  for (const double dy : {-static_cast<double>(TileHeight), 0.0, static_cast<double>(TileHeight)}) {
    cairo_save(cr);
    cairo_translate(cr, 0, dy);
    paint();
    cairo_restore(cr);
  }
}

void AddGrain(cairo_surface_t* surface, int x0, int x1, double amount, std::uint32_t seed) {
  cairo_surface_flush(surface);
  ArtRandom rnd(seed);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  x0 = std::max(x0, 0);
  x1 = std::min(x1, cairo_image_surface_get_width(surface));
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    for (int x = x0; x < x1; ++x) {
      const int delta = static_cast<int>(std::lround(rnd.Uniform(-1, 1) * amount * 255));
      std::uint32_t out = row[x] & 0xFF000000u;
      for (int c = 0; c < 3; ++c) {
        const int v = std::clamp(static_cast<int>((row[x] >> (8 * c)) & 0xFF) + delta, 0, 255);
        out |= static_cast<std::uint32_t>(v) << (8 * c);
      }
      row[x] = out;
    }
  }
  cairo_surface_mark_dirty(surface);
}

void FillGround(cairo_t* cr, double x0, double x1, const Rgb& top, const Rgb& bottom) {
  cairo_rectangle(cr, x0, 0, x1 - x0, TileHeight);
  LinearGradient(cr, x0, 0, x1, 0, {{0, top}, {1, bottom}});
}

void PaintRoad(cairo_t* cr, cairo_surface_t* surface, const RoadStyle& style, std::uint32_t seed) {
  ArtRandom rnd(seed);
  const double left = AsphaltLeft, right = AsphaltRight, width = right - left;
  // Kerbs, then the asphalt with a slight camber: darker at the edges.
  for (int i = 0; i < TileHeight / 24; ++i) {
    SetColor(cr, i % 2 == 0 ? style.kerbA : style.kerbB);
    cairo_rectangle(cr, left - 8, i * 24, 8, 24);
    cairo_rectangle(cr, right, i * 24, 8, 24);
    cairo_fill(cr);
  }
  cairo_rectangle(cr, left, 0, width, TileHeight);
  LinearGradient(cr, left, 0, right, 0,
                 {{0, style.asphalt.Scaled(0.8)},
                  {0.5, style.asphalt.Mix(White, 0.05)},
                  {1, style.asphalt.Scaled(0.8)}});
  AddGrain(surface, static_cast<int>(left), static_cast<int>(right), style.grain, seed);
  // Worn tyre tracks down the middle of each lane.
  const double lane = width / 4;
  for (int l = 0; l < 4; ++l) {
    for (const double offset : {0.3, 0.7}) {
      const double x = left + lane * (l + offset);
      cairo_rectangle(cr, x - 6, 0, 12, TileHeight);
      LinearGradient(cr, x - 6, 0, x + 6, 0, {{0, Black, 0}, {0.5, Black, 0.12}, {1, Black, 0}});
    }
  }
  // Patches and cracks.
  Wrapped(cr, [&] {
    ArtRandom local(seed + 7);
    for (int i = 0; i < 5; ++i) {
      const double x = left + local.Uniform(20, width - 60), y = local.Uniform(0, TileHeight);
      RoundedRect(cr, x, y, local.Uniform(24, 50), local.Uniform(18, 40), 7);
      SetColor(cr, style.asphalt.Scaled(local.Uniform(0.75, 0.9)), 0.3);
      cairo_fill(cr);
    }
    cairo_set_line_width(cr, 1.0);
    for (int i = 0; i < 6; ++i) {
      double x = left + local.Uniform(10, width - 10), y = local.Uniform(0, TileHeight);
      cairo_move_to(cr, x, y);
      for (int s = 0; s < 5; ++s) {
        x += local.Uniform(-6, 6);
        y += local.Uniform(3, 8);
        cairo_line_to(cr, x, y);
      }
      SetColor(cr, Black, 0.35);
      cairo_stroke(cr);
    }
  });
  if (style.wet) {
    for (int i = 0; i < 14; ++i) {
      const double x = left + rnd.Uniform(10, width - 10);
      cairo_rectangle(cr, x - 3, 0, 6, TileHeight);
      LinearGradient(cr, x - 3, 0, x + 3, 0,
                     {{0, White, 0}, {0.5, White, rnd.Uniform(0.03, 0.07)}, {1, White, 0}});
    }
  }
  // Solid edge lines and the dashed lane lines.
  SetColor(cr, style.lines, style.lineAlpha);
  cairo_rectangle(cr, left + 5, 0, 4, TileHeight);
  cairo_rectangle(cr, right - 9, 0, 4, TileHeight);
  cairo_fill(cr);
  for (int l = 1; l < 4; ++l) {
    const double x = left + lane * l;
    for (double y = 0; y < TileHeight; y += LanePeriod) {
      RoundedRect(cr, x - 2, y + 10, 4, LaneDash, 1.5);
    }
  }
  cairo_fill(cr);
}

void PaintRoundTree(cairo_t* cr, double x, double y, double r, const Rgb& leaf,
                    std::uint32_t seed) {
  ArtRandom rnd(seed);
  const int lobes = 6;
  ShadedDisc(cr, x, y, r * 0.8, leaf.Scaled(0.7));
  for (int i = 0; i < lobes; ++i) {
    const double a = i * 2 * M_PI / lobes + rnd.Uniform(-0.3, 0.3);
    const double d = r * rnd.Uniform(0.35, 0.5);
    ShadedDisc(cr, x + d * std::cos(a), y + d * std::sin(a), r * rnd.Uniform(0.42, 0.55),
               leaf.Scaled(rnd.Uniform(0.85, 1.05)));
  }
  ShadedDisc(cr, x - r * 0.1, y - r * 0.1, r * 0.45, leaf.Mix(White, 0.1));
}

void PaintPine(cairo_t* cr, double x, double y, double r, const Rgb& needles, bool snow) {
  for (int layer = 0; layer < 3; ++layer) {
    const double lr = r * (1.0 - layer * 0.28);
    const int points = 9;
    cairo_new_path(cr);
    for (int i = 0; i < points * 2; ++i) {
      const double a = i * M_PI / points + layer * 0.3;
      const double d = (i % 2 == 0) ? lr : lr * 0.6;
      cairo_line_to(cr, x + d * std::cos(a), y + d * std::sin(a));
    }
    cairo_close_path(cr);
    const Rgb c = needles.Scaled(0.7 + layer * 0.15);
    RadialGradient(cr, x - lr * 0.3, y - lr * 0.3, 0, x, y, lr,
                   {{0, snow ? c.Mix(White, 0.75) : c.Mix(White, 0.2)}, {1, c.Scaled(0.6)}});
  }
  SetColor(cr, snow ? White : needles.Mix(White, 0.3), snow ? 0.9 : 0.6);
  Disc(cr, x, y, r * 0.12);
  cairo_fill(cr);
}

void PaintRock(cairo_t* cr, double x, double y, double r, const Rgb& stone, std::uint32_t seed) {
  ArtRandom rnd(seed);
  cairo_new_path(cr);
  const int corners = 7;
  for (int i = 0; i < corners; ++i) {
    const double a = i * 2 * M_PI / corners;
    const double d = r * rnd.Uniform(0.7, 1.0);
    cairo_line_to(cr, x + d * std::cos(a), y + d * std::sin(a) * 0.8);
  }
  cairo_close_path(cr);
  LinearGradient(cr, x - r, y - r, x + r, y + r,
                 {{0, stone.Mix(White, 0.35)}, {0.5, stone}, {1, stone.Scaled(0.5)}},
                 Cover::kFillPreserve);
  SetColor(cr, stone.Scaled(0.4), 0.8);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

void PaintPalm(cairo_t* cr, double x, double y, double r) {
  const Rgb frond = Hex(0x3f9a3a);
  const int fronds = 8;
  for (int i = 0; i < fronds; ++i) {
    const double a = i * 2 * M_PI / fronds + 0.2;
    const double ex = x + r * std::cos(a), ey = y + r * std::sin(a);
    const double nx = -std::sin(a) * r * 0.18, ny = std::cos(a) * r * 0.18;
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + (ex - x) * 0.4 + nx, y + (ey - y) * 0.4 + ny, ex + nx * 0.3,
                   ey + ny * 0.3, ex, ey);
    cairo_curve_to(cr, ex - nx * 0.3, ey - ny * 0.3, x + (ex - x) * 0.4 - nx,
                   y + (ey - y) * 0.4 - ny, x, y);
    LinearGradient(cr, x, y, ex, ey,
                   {{0, frond.Scaled(0.6)}, {0.6, frond.Mix(White, 0.15)}, {1, frond.Scaled(0.8)}},
                   Cover::kFillPreserve);
    SetColor(cr, frond.Scaled(0.4), 0.6);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
  }
  ShadedDisc(cr, x, y, r * 0.14, Hex(0x8a6a3a));
}

void PaintCactus(cairo_t* cr, double x, double y, double r) {
  const Rgb green = Hex(0x4f8a45);
  RoundedRect(cr, x - r * 0.28, y - r, r * 0.56, r * 2, r * 0.28);
  RoundedRect(cr, x - r * 0.95, y - r * 0.2, r * 0.7, r * 0.42, r * 0.21);
  RoundedRect(cr, x + r * 0.25, y - r * 0.6, r * 0.7, r * 0.42, r * 0.21);
  LinearGradient(cr, x - r, 0, x + r, 0,
                 {{0, green.Scaled(0.6)}, {0.45, green.Mix(White, 0.25)}, {1, green.Scaled(0.55)}});
  SetColor(cr, Hex(0xf2e6b0), 0.7);
  for (int i = -3; i <= 3; ++i) {
    Disc(cr, x, y + i * r * 0.28, 0.7);
  }
  cairo_fill(cr);
}

void PaintRoof(cairo_t* cr, double x, double y, double w, double h, const Rgb& roof,
               const Rgb& neon, std::uint32_t seed) {
  ArtRandom rnd(seed);
  RoundedRect(cr, x, y, w, h, 2);
  LinearGradient(cr, x, y, x + w, y + h, {{0, roof.Mix(White, 0.12)}, {1, roof.Scaled(0.75)}});
  // Parapet rim, then rooftop units.
  RoundedRect(cr, x + 2, y + 2, w - 4, h - 4, 1.5);
  SetColor(cr, roof.Scaled(0.55), 0.9);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  for (int i = 0; i < 3; ++i) {
    const double ux = x + rnd.Uniform(6, std::max(7.0, w - 20)),
                 uy = y + rnd.Uniform(6, std::max(7.0, h - 20));
    RoundedRect(cr, ux, uy, 12, 10, 1.5);
    SetColor(cr, roof.Mix(White, 0.3));
    cairo_fill(cr);
    SetColor(cr, roof.Scaled(0.4));
    Disc(cr, ux + 6, uy + 5, 3);
    cairo_fill(cr);
  }
  if (neon.r + neon.g + neon.b > 0) {
    cairo_rectangle(cr, x + 1, y + 1, w - 2, h - 2);
    SetColor(cr, neon, 0.85);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  }
}

void PaintContainer(cairo_t* cr, double x, double y, double w, double h, const Rgb& paint) {
  cairo_rectangle(cr, x, y, w, h);
  LinearGradient(cr, x, 0, x + w, 0,
                 {{0, paint.Scaled(0.6)}, {0.4, paint.Mix(White, 0.15)}, {1, paint.Scaled(0.55)}});
  SetColor(cr, paint.Scaled(0.45), 0.8);
  cairo_set_line_width(cr, 1);
  for (double ry = y + 4; ry < y + h - 2; ry += 5) {
    cairo_move_to(cr, x + 2, ry);
    cairo_line_to(cr, x + w - 2, ry);
  }
  cairo_stroke(cr);
  cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
  SetColor(cr, Black, 0.5);
  cairo_stroke(cr);
}

void PaintPipeColumn(cairo_t* cr, double x, double width, const Rgb& metal) {
  cairo_rectangle(cr, x, 0, width, TileHeight);
  LinearGradient(cr, x, 0, x + width, 0,
                 {{0, metal.Scaled(0.4)},
                  {0.35, metal.Mix(White, 0.4)},
                  {0.6, metal},
                  {1, metal.Scaled(0.35)}});
  for (double y = 30; y < TileHeight; y += 120) {  // flanges, 120 divides the tile
    cairo_rectangle(cr, x - 2, y, width + 4, 6);
    LinearGradient(cr, x - 2, 0, x + width + 2, 0,
                   {{0, metal.Scaled(0.35)}, {0.4, metal.Mix(White, 0.5)}, {1, metal.Scaled(0.3)}});
  }
}

void PaintPuddle(cairo_t* cr, double x, double y, double rx, double ry, const Rgb& sky) {
  Ellipse(cr, x, y, rx, ry);
  RadialGradient(cr, x - rx * 0.3, y - ry * 0.3, 0, x, y, std::max(rx, ry),
                 {{0, sky.Mix(White, 0.25), 0.8}, {0.7, sky, 0.7}, {1, sky.Scaled(0.6), 0.5}});
  SetColor(cr, White, 0.25);
  cairo_set_line_width(cr, 0.8);
  Ellipse(cr, x + rx * 0.2, y, rx * 0.45, ry * 0.45);
  cairo_stroke(cr);
}

void PaintLightPool(cairo_t* cr, double x, double y, double r, const Rgb& light, double alpha) {
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  Ellipse(cr, x, y, r, r * 0.8);
  RadialGradient(cr, x, y, 0, x, y, r,
                 {{0, light, alpha}, {0.5, light, alpha * 0.4}, {1, light, 0}});
  cairo_restore(cr);
}

void ShadowPass(cairo_t* cr, const std::function<void(cairo_t*)>& shapes, int blur,
                double opacity) {
  PaintBlurred(
      cr, TileWidth, TileHeight, blur, opacity,
      [&](cairo_t* s) {
        cairo_translate(s, 5, 7);
        cairo_set_source_rgba(s, 0, 0, 0, 1);
        Wrapped(s, [&] { shapes(s); });
      },
      true);
}

}  // namespace tvx::assets
