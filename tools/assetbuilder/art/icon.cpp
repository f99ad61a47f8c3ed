#include "assetbuilder/art/icon.h"

#include <cairo-svg.h>
#include <cairo.h>

#include "assetbuilder/art/cars.h"
#include "assetbuilder/art/paint.h"
#include "game/ImageNames.h"

namespace tvx::assets {
namespace {

constexpr double kUnits = 64.0;
constexpr double kRoadLeft = 10.0, kRoadRight = 54.0;

void PaintTile(cairo_t* cr) {
  RoundedRect(cr, 0, 0, kUnits, kUnits, 10);
  LinearGradient(cr, 0, 0, kUnits, kUnits, {{0, Hex(0x4aa344)}, {1, Hex(0x2a6628)}},
                 Cover::kFillPreserve);
  cairo_clip(cr);

  cairo_rectangle(cr, kRoadLeft, 0, kRoadRight - kRoadLeft, kUnits);
  SetColor(cr, Hex(0x4b4e55));
  cairo_fill(cr);
  SetColor(cr, Hex(0xf2c12e));
  for (double x : {kRoadLeft + 1.5, kRoadRight - 3.0}) {
    cairo_rectangle(cr, x, 0, 1.5, kUnits);
    cairo_fill(cr);
  }
  SetColor(cr, Hex(0xf4f4f4));
  for (double y = -2; y < kUnits; y += 14) {
    cairo_rectangle(cr, kUnits / 2 - 1, y, 2, 8);
    cairo_fill(cr);
  }
}

void PaintIcon(cairo_t* cr, double size) {
  cairo_scale(cr, size / kUnits, size / kUnits);
  PaintTile(cr);
  // The player's first car, at the body size the game uses, filling most of the tile's height.
  const CarLook& look = PlayerCarLook(0);
  const double w = PlayerBodyRight - PlayerBodyLeft, h = PlayerBodyBottom - PlayerBodyTop;
  PaintCar(cr, look, {(kUnits - w) / 2, (kUnits - h) / 2, w, h}, false, 0, static_cast<int>(kUnits),
           static_cast<int>(kUnits));
}

}  // namespace

bool WriteIconPng(int size, const std::string& path) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  PaintIcon(cr, size);
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

ImageAsset BuildWindowIconImage() {
  constexpr int kSize = 256;
  return PaintPatterns(image::WindowIcon, kSize, kSize, 1,
                       [](cairo_t* cr, int) { PaintIcon(cr, kSize); });
}

bool WriteIconSvg(const std::string& path) {
  cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), kUnits, kUnits);
  cairo_t* cr = cairo_create(surface);
  PaintIcon(cr, kUnits);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace tvx::assets
