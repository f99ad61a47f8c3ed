#include "assetbuilder/art/roads.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "assetbuilder/art/road_tile.h"
#include "game/ImageNames.h"

namespace tvx::assets {
namespace {

const Rgb White = {1, 1, 1};
const Rgb Black = {0, 0, 0};

struct Spot {
  double x, y, size;
  std::uint32_t seed;
};

// Points on both roadsides, kept clear of the kerbs by `clearance`.
std::vector<Spot> Scatter(ArtRandom& rnd, int count, double minSize, double maxSize,
                          double clearance) {
  std::vector<Spot> spots;
  for (int i = 0; i < count; ++i) {
    const double size = rnd.Uniform(minSize, maxSize);
    const bool left = i % 2 == 0;
    const double x = left ? rnd.Uniform(0, AsphaltLeft - 8 - clearance - size * 0.5)
                          : rnd.Uniform(AsphaltRight + 8 + clearance + size * 0.5, TileWidth);
    spots.push_back({x, rnd.Uniform(0, TileHeight), size, rnd.Next()});
  }
  return spots;
}

void DiscShapes(cairo_t* s, const std::vector<Spot>& spots, double factor) {
  for (const Spot& spot : spots) {
    cairo_new_sub_path(s);
    cairo_arc(s, spot.x, spot.y, spot.size * factor, 0, 2 * M_PI);
  }
  cairo_fill(s);
}

void Meadow(cairo_t* cr, cairo_surface_t* surface) {
  ArtRandom rnd(100);
  FillGround(cr, 0, TileWidth, Hex(0x4c9a3c), Hex(0x5aa845));
  for (int band = 0; band < 8; ++band) {  // mowing stripes, 60 px each
    cairo_rectangle(cr, 0, band * 60, TileWidth, 30);
    SetColor(cr, White, 0.05);
    cairo_fill(cr);
  }
  AddGrain(surface, 0, TileWidth, 0.05, 101);
  const std::vector<Spot> flowers = Scatter(rnd, 120, 1.2, 2.2, 2);
  const Rgb petals[3] = {Hex(0xffffff), Hex(0xffe14a), Hex(0xff8fc8)};
  Wrapped(cr, [&] {
    for (std::size_t i = 0; i < flowers.size(); ++i) {
      SetColor(cr, petals[i % 3], 0.9);
      cairo_new_sub_path(cr);
      cairo_arc(cr, flowers[i].x, flowers[i].y, flowers[i].size, 0, 2 * M_PI);
      cairo_fill(cr);
    }
  });
  PaintRoad(cr, surface, {Hex(0x56595e), 0.06, White, 0.92, Hex(0xd8262e), Hex(0xf4f4f4), false},
            102);
  // Fence posts along both verges, every 40 px.
  for (double y = 0; y < TileHeight; y += 40) {
    for (const double x : {AsphaltLeft - 16, AsphaltRight + 12}) {
      RoundedRect(cr, x, y + 12, 4, 6, 1);
      SetColor(cr, Hex(0x7a5530));
      cairo_fill(cr);
    }
  }
  const std::vector<Spot> trees = Scatter(rnd, 12, 18, 30, 6);
  ShadowPass(
      cr, [&](cairo_t* s) { DiscShapes(s, trees, 0.9); }, 6, 0.45);
  Wrapped(cr, [&] {
    for (const Spot& t : trees) PaintRoundTree(cr, t.x, t.y, t.size, Hex(0x2f7d2a), t.seed);
  });
}

void Coast(cairo_t* cr, cairo_surface_t* surface) {
  ArtRandom rnd(200);
  FillGround(cr, 0, TileWidth, Hex(0xe6cf94), Hex(0xf0dca6));
  AddGrain(surface, 0, TileWidth, 0.04, 201);
  // The sea on the left, with foam lines that wave with a period that divides the tile.
  cairo_rectangle(cr, 0, 0, 72, TileHeight);
  LinearGradient(cr, 0, 0, 72, 0, {{0, Hex(0x0f4f8a)}, {0.7, Hex(0x1f88b8)}, {1, Hex(0x5fc8d8)}});
  for (int line = 0; line < 3; ++line) {
    cairo_new_path(cr);
    for (int y = 0; y <= TileHeight; y += 4) {
      const double x = 66 - line * 14 + 5 * std::sin(y * 2 * M_PI / 120 + line);
      cairo_line_to(cr, x, y);
    }
    SetColor(cr, White, 0.7 - line * 0.2);
    cairo_set_line_width(cr, 2.5 - line * 0.6);
    cairo_stroke(cr);
  }
  PaintRoad(cr, surface, {Hex(0x5c5b5e), 0.06, White, 0.92, Hex(0x2a6fd6), Hex(0xf4f4f4), false},
            202);
  // Beach umbrellas and towels on the right.
  ArtRandom beach(203);
  const Rgb shades[3] = {Hex(0xe8402e), Hex(0x2e9ee8), Hex(0xf2c12e)};
  std::vector<Spot> umbrellas;
  for (int i = 0; i < 4; ++i)
    umbrellas.push_back({beach.Uniform(560, 620), i * 120.0 + beach.Uniform(0, 60), 12, 0});
  std::vector<Spot> palms = Scatter(rnd, 10, 16, 24, 4);
  ShadowPass(
      cr,
      [&](cairo_t* s) {
        DiscShapes(s, umbrellas, 1.0);
        DiscShapes(s, palms, 0.8);
      },
      5, 0.4);
  Wrapped(cr, [&] {
    for (std::size_t i = 0; i < umbrellas.size(); ++i) {
      const Spot& u = umbrellas[i];
      RoundedRect(cr, u.x - 22, u.y + 4, 12, 22, 2);
      SetColor(cr, shades[(i + 1) % 3], 0.9);
      cairo_fill(cr);
      for (int seg = 0; seg < 8; ++seg) {
        cairo_move_to(cr, u.x, u.y);
        cairo_arc(cr, u.x, u.y, u.size, seg * M_PI / 4, (seg + 1) * M_PI / 4);
        cairo_close_path(cr);
        SetColor(cr, seg % 2 == 0 ? shades[i % 3] : White);
        cairo_fill(cr);
      }
      Glow(cr, u.x - 3, u.y - 3, u.size, White, 0.35);
    }
    for (const Spot& p : palms) PaintPalm(cr, p.x, p.y, p.size);
  });
}

void Desert(cairo_t* cr, cairo_surface_t* surface) {
  ArtRandom rnd(300);
  FillGround(cr, 0, TileWidth, Hex(0xd49a55), Hex(0xe2ae68));
  for (int i = 0; i < 6; ++i) {  // dune ridges, periodic in y
    cairo_new_path(cr);
    const double phase = rnd.Uniform(0, 2 * M_PI);
    for (int y = 0; y <= TileHeight; y += 4) {
      cairo_line_to(cr, (i % 2 == 0 ? 20 : 560) + i * 6 + 14 * std::sin(y * 2 * M_PI / 240 + phase),
                    y);
    }
    SetColor(cr, Hex(0x9a6432), 0.35);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
  }
  AddGrain(surface, 0, TileWidth, 0.05, 301);
  PaintRoad(cr, surface,
            {Hex(0x6b6259), 0.07, Hex(0xfff0c8), 0.88, Hex(0xb08050), Hex(0xb08050), false}, 302);
  // Sand blown onto the asphalt edges.
  PaintBlurred(
      cr, TileWidth, TileHeight, 8, 0.55,
      [&](cairo_t* s) {
        Wrapped(s, [&] {
          ArtRandom drift(303);
          for (int i = 0; i < 10; ++i) {
            const bool left = i % 2 == 0;
            Ellipse(s,
                    left ? AsphaltLeft - 4 + drift.Uniform(0, 6)
                         : AsphaltRight + 4 - drift.Uniform(0, 6),
                    drift.Uniform(0, TileHeight), drift.Uniform(6, 10), drift.Uniform(18, 40));
            SetColor(s, Hex(0xe2ae68));
            cairo_fill(s);
          }
        });
      },
      true);
  std::vector<Spot> rocks = Scatter(rnd, 10, 6, 14, 2);
  std::vector<Spot> cacti = Scatter(rnd, 8, 10, 15, 4);
  ShadowPass(
      cr,
      [&](cairo_t* s) {
        DiscShapes(s, rocks, 0.8);
        DiscShapes(s, cacti, 0.7);
      },
      4, 0.5);
  Wrapped(cr, [&] {
    for (const Spot& r : rocks) PaintRock(cr, r.x, r.y, r.size, Hex(0x9a7a5a), r.seed);
    for (const Spot& c : cacti) PaintCactus(cr, c.x, c.y, c.size);
  });
}

void Winter(cairo_t* cr, cairo_surface_t* surface) {
  ArtRandom rnd(400);
  FillGround(cr, 0, TileWidth, Hex(0xe4edf6), Hex(0xf2f6fb));
  AddGrain(surface, 0, TileWidth, 0.03, 401);
  PaintRoad(cr, surface,
            {Hex(0x44484f), 0.07, Hex(0xf0f4ff), 0.8, Hex(0xe8eef6), Hex(0xc8d4e2), true}, 402);
  // Salt and slush speckles on the asphalt.
  Wrapped(cr, [&] {
    ArtRandom salt(403);
    for (int i = 0; i < 260; ++i) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, salt.Uniform(AsphaltLeft, AsphaltRight), salt.Uniform(0, TileHeight),
                salt.Uniform(0.5, 1.4), 0, 2 * M_PI);
    }
    SetColor(cr, White, 0.35);
    cairo_fill(cr);
  });
  // Ploughed snow banks along the kerbs.
  PaintBlurred(
      cr, TileWidth, TileHeight, 6, 0.95,
      [&](cairo_t* s) {
        Wrapped(s, [&] {
          ArtRandom bank(404);
          for (int i = 0; i < 24; ++i) {
            const bool left = i % 2 == 0;
            Ellipse(s, left ? AsphaltLeft - 4 : AsphaltRight + 4, bank.Uniform(0, TileHeight),
                    bank.Uniform(8, 14), bank.Uniform(14, 30));
            SetColor(s, White);
            cairo_fill(s);
          }
        });
      },
      true);
  std::vector<Spot> pines = Scatter(rnd, 14, 16, 26, 8);
  ShadowPass(
      cr, [&](cairo_t* s) { DiscShapes(s, pines, 0.8); }, 5, 0.3);
  Wrapped(cr, [&] {
    for (const Spot& p : pines) PaintPine(cr, p.x, p.y, p.size, Hex(0x2a5a3a), true);
  });
}

void NightCity(cairo_t* cr, cairo_surface_t* surface) {
  FillGround(cr, 0, TileWidth, Hex(0x15161c), Hex(0x181a22));
  // Pavements with tiles.
  for (const double x0 : {AsphaltLeft - 44, AsphaltRight + 8}) {
    cairo_rectangle(cr, x0, 0, 36, TileHeight);
    SetColor(cr, Hex(0x3a3c44));
    cairo_fill(cr);
    SetColor(cr, Hex(0x24252c));
    cairo_set_line_width(cr, 1);
    for (double y = 0; y < TileHeight; y += 16) {
      cairo_move_to(cr, x0, y + 0.5);
      cairo_line_to(cr, x0 + 36, y + 0.5);
    }
    cairo_move_to(cr, x0 + 18.5, 0);
    cairo_line_to(cr, x0 + 18.5, TileHeight);
    cairo_stroke(cr);
  }
  AddGrain(surface, 0, TileWidth, 0.03, 501);
  PaintRoad(cr, surface,
            {Hex(0x25272e), 0.05, Hex(0xe8ecff), 0.75, Hex(0x55575e), Hex(0x55575e), true}, 502);
  // Rooftops seen from above, two columns of buildings per side, 240 px blocks.
  const Rgb neon[4] = {Hex(0xff2fb0), Hex(0x2fe8ff), Hex(0xffb02f), Hex(0x8a5cff)};
  ArtRandom city(503);
  for (int side = 0; side < 2; ++side) {
    const double x0 = side == 0 ? 0 : AsphaltRight + 48,
                 w = side == 0 ? AsphaltLeft - 48 : TileWidth - x0;
    for (int b = 0; b < 4; ++b) {
      const double y = b * 120 + 4;
      PaintRoof(cr, x0 + 2, y, w - 4, 112, Hex(0x2c2f3a).Mix(Hex(0x3a2c34), city.Uniform(0, 1)),
                neon[(b + side) % 4], city.Next());
      PaintLightPool(cr, x0 + w / 2, y + 56, 40, neon[(b + side) % 4], 0.12);
    }
  }
  // Street lamps: heads on the pavement, pools of warm light on the road.
  Wrapped(cr, [&] {
    for (double y = 40; y < TileHeight; y += 160) {
      for (const int side : {0, 1}) {
        const double lx = side == 0 ? AsphaltLeft - 14 : AsphaltRight + 14, ly = y + side * 80;
        PaintLightPool(cr, side == 0 ? AsphaltLeft + 40 : AsphaltRight - 40, ly, 90, Hex(0xffd08a),
                       0.2);
        RoundedRect(cr, lx - 4, ly - 3, 8, 6, 2);
        SetColor(cr, Hex(0xfff2d0));
        cairo_fill(cr);
        Glow(cr, lx, ly, 14, Hex(0xffe0a0), 0.6);
      }
    }
  });
}

void Storm(cairo_t* cr, cairo_surface_t* surface) {
  ArtRandom rnd(600);
  FillGround(cr, 0, TileWidth, Hex(0x223322), Hex(0x2a3b28));
  AddGrain(surface, 0, TileWidth, 0.05, 601);
  PaintRoad(cr, surface,
            {Hex(0x2c3035), 0.06, Hex(0xdfe6ee), 0.7, Hex(0x6a6e72), Hex(0x4a4e52), true}, 602);
  const Rgb sky = Hex(0x4a5a70);
  Wrapped(cr, [&] {
    ArtRandom water(603);
    for (int i = 0; i < 9; ++i) {
      PaintPuddle(cr, water.Uniform(AsphaltLeft + 20, AsphaltRight - 20),
                  water.Uniform(0, TileHeight), water.Uniform(12, 26), water.Uniform(6, 12), sky);
    }
    for (int i = 0; i < 8; ++i) {
      const bool left = i % 2 == 0;
      PaintPuddle(cr, left ? water.Uniform(10, 90) : water.Uniform(550, 630),
                  water.Uniform(0, TileHeight), water.Uniform(10, 20), water.Uniform(6, 10),
                  sky.Scaled(0.8));
    }
    // Broken branches on the verges.
    cairo_set_line_width(cr, 2);
    for (int i = 0; i < 8; ++i) {
      const double x = i % 2 == 0 ? water.Uniform(90, 112) : water.Uniform(535, 560),
                   y = water.Uniform(0, TileHeight);
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + water.Uniform(-12, 12), y + water.Uniform(6, 16));
      SetColor(cr, Hex(0x4a3520));
      cairo_stroke(cr);
    }
  });
  std::vector<Spot> trees = Scatter(rnd, 12, 18, 28, 6);
  ShadowPass(
      cr, [&](cairo_t* s) { DiscShapes(s, trees, 0.9); }, 6, 0.5);
  Wrapped(cr, [&] {
    for (const Spot& t : trees) PaintRoundTree(cr, t.x, t.y, t.size, Hex(0x1f3f24), t.seed);
  });
  // Rain: long thin diagonal streaks over everything.
  Wrapped(cr, [&] {
    ArtRandom rain(604);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 420; ++i) {
      const double x = rain.Uniform(0, TileWidth), y = rain.Uniform(0, TileHeight),
                   len = rain.Uniform(10, 24);
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x - len * 0.3, y + len);
      SetColor(cr, Hex(0xc8d8f0), rain.Uniform(0.12, 0.3));
      cairo_stroke(cr);
    }
  });
  // A cold flash of lightning from the upper left.
  cairo_rectangle(cr, 0, 0, TileWidth, TileHeight);
  LinearGradient(cr, 0, 0, TileWidth, 0,
                 {{0, Hex(0x8fb0ff), 0.10}, {0.5, Hex(0x8fb0ff), 0.0}, {1, Black, 0.15}});
}

void Industrial(cairo_t* cr, cairo_surface_t* surface) {
  FillGround(cr, 0, TileWidth, Hex(0x4e4d48), Hex(0x57564f));
  SetColor(cr, Hex(0x2e2d2a), 0.7);
  cairo_set_line_width(cr, 1.2);
  for (double y = 0; y < TileHeight; y += 48) {  // concrete slabs, 48 divides the tile
    cairo_move_to(cr, 0, y + 0.5);
    cairo_line_to(cr, TileWidth, y + 0.5);
  }
  for (double x = 0; x < TileWidth; x += 52) {
    cairo_move_to(cr, x + 0.5, 0);
    cairo_line_to(cr, x + 0.5, TileHeight);
  }
  cairo_stroke(cr);
  AddGrain(surface, 0, TileWidth, 0.06, 701);
  PaintRoad(cr, surface,
            {Hex(0x3a3936), 0.07, Hex(0xf0e8d0), 0.75, Hex(0xf2c12e), Hex(0x1c1c1c), false}, 702);
  // Oil stains on the asphalt.
  PaintBlurred(
      cr, TileWidth, TileHeight, 5, 0.6,
      [&](cairo_t* s) {
        Wrapped(s, [&] {
          ArtRandom oil(703);
          for (int i = 0; i < 12; ++i) {
            Ellipse(s, oil.Uniform(AsphaltLeft + 15, AsphaltRight - 15), oil.Uniform(0, TileHeight),
                    oil.Uniform(6, 16), oil.Uniform(5, 12));
            SetColor(s, Hex(0x101012));
            cairo_fill(s);
          }
        });
      },
      true);
  // Pipe runs on the left, containers on the right.
  PaintPipeColumn(cr, 18, 14, Hex(0x8a8f96));
  PaintPipeColumn(cr, 44, 9, Hex(0xb0623a));
  PaintPipeColumn(cr, 70, 11, Hex(0x6a8a6a));
  const Rgb paints[4] = {Hex(0xa8482e), Hex(0x2e6f8a), Hex(0x8a7a2e), Hex(0x3a5a3a)};
  for (int i = 0; i < 4; ++i) {
    PaintBlurred(
        cr, TileWidth, TileHeight, 4, 0.5,
        [&](cairo_t* s) {
          cairo_rectangle(s, 562, i * 120 + 18, 44, 96);
          SetColor(s, Black);
          cairo_fill(s);
        },
        true);
    PaintContainer(cr, 556, i * 120 + 12, 44, 96, paints[i]);
  }
  // Sodium lamps: orange heads on the verges and their haze.
  Wrapped(cr, [&] {
    for (double y = 60; y < TileHeight; y += 120) {
      for (const int side : {0, 1}) {
        const double lx = side == 0 ? AsphaltLeft - 14 : AsphaltRight + 14, ly = y + side * 60;
        PaintLightPool(cr, side == 0 ? AsphaltLeft + 30 : AsphaltRight - 30, ly, 80, Hex(0xff9a30),
                       0.22);
        Glow(cr, lx, ly, 12, Hex(0xffb060), 0.7);
      }
    }
  });
  cairo_rectangle(cr, 0, 0, TileWidth, TileHeight);
  SetColor(cr, Hex(0x1a0f05), 0.25);  // a dim, smoggy night
  cairo_fill(cr);
}

using ScenePainter = void (*)(cairo_t*, cairo_surface_t*);
const ScenePainter Scenes[7] = {Meadow, Coast, Desert, Winter, NightCity, Storm, Industrial};

ImageAsset RoadImage(int index) {
  cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, TileWidth, TileHeight);
  cairo_t* cr = cairo_create(tile);
  Scenes[index](cr, tile);
  cairo_destroy(cr);
  const Pixmap once = Pixmap::FromSurface(tile);
  cairo_surface_destroy(tile);
  // Two copies of the tile one above the other: the seam-free scroll the game expects.
  ImageAsset road;
  road.key = image::Roads.at(index);
  road.drawWidth = RoadImageWidth;
  road.drawHeight = RoadImageHeight;
  Pixmap full(RoadImageWidth, RoadImageHeight);
  std::memcpy(full.bgra.data(), once.bgra.data(), once.bgra.size());
  std::memcpy(full.bgra.data() + once.bgra.size(), once.bgra.data(), once.bgra.size());
  road.patterns.push_back(std::move(full));
  return road;
}

}  // namespace

std::vector<ImageAsset> BuildRoadImages() {
  std::vector<ImageAsset> images;
  for (int i = 0; i < 7; ++i) images.push_back(RoadImage(i));
  return images;
}

}  // namespace tvx::assets
