#include "assetbuilder/art/cars.h"

#include <cmath>
#include <string>

#include "assetbuilder/art/car_painter.h"
#include "game/ImageNames.h"

namespace tvx::assets {
namespace {

const CarLook TrafficLooks[4] = {
    {Hex(0xc8283a), Hex(0xffffff), CarShape::Sedan, false},
    {Hex(0x2f6fd6), Hex(0xffffff), CarShape::Hatchback, false},
    {Hex(0x2e9e6a), Hex(0xffffff), CarShape::Van, false},
    {Hex(0xf2c12e), Hex(0xfff4d0), CarShape::Taxi, false},
};

const CarLook PlayerLooks[4] = {
    {Hex(0xf0f0f2), Hex(0xe0302a), CarShape::Sports, true},
    {Hex(0xff7a1a), Hex(0x1c1c1c), CarShape::Sports, true},
    {Hex(0x8a3ad6), Hex(0x3fe0f0), CarShape::Sports, true},
    {Hex(0x2a2d34), Hex(0xe8b830), CarShape::Sports, true},
};

}  // namespace

const CarLook& PlayerCarLook(int car) { return PlayerLooks[car & 3]; }

namespace {

ImageAsset CarImage(const std::string& key, const CarLook& look, const BodyBox& box, bool wrecked,
                    std::uint32_t seed) {
  return PaintPatterns(key, CarPatternWidth, CarPatternHeight, 1, [&](cairo_t* cr, int) {
    PaintCar(cr, look, box, wrecked, seed, CarPatternWidth, CarPatternHeight);
  });
}

// The selected car turned to face right, on a lit showroom disc.
ImageAsset PreviewImage(const std::string& key, const CarLook& look) {
  return PaintPatterns(key, PreviewWidth, PreviewHeight, 1, [&](cairo_t* cr, int) {
    const double cx = PreviewWidth / 2.0, cy = PreviewHeight / 2.0;
    Ellipse(cr, cx, cy + 6, 58, 26);
    FillRadial(cr, cx, cy + 6, 58, Hex(0x9fd8ff), 0.55);
    Ellipse(cr, cx, cy + 6, 56, 25);
    SetColor(cr, Hex(0xbfe6ff), 0.5);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    const double scale = 1.3;
    const BodyBox box = {-16.5, -28, 33, 56};
    cairo_surface_t* layer =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, PreviewWidth, PreviewHeight);
    cairo_t* lc = cairo_create(layer);
    cairo_translate(lc, cx, cy);
    cairo_rotate(lc, M_PI / 2);
    cairo_scale(lc, scale, scale);
    // The car is painted in its own layer so its shadow blur sees only the car.
    cairo_surface_t* car =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, CarPatternWidth, CarPatternHeight);
    cairo_t* cc = cairo_create(car);
    const BodyBox local = {CarPatternWidth / 2.0 + box.x, CarPatternHeight / 2.0 + box.y, box.w,
                           box.h};
    PaintCar(cc, look, local, false, 0, CarPatternWidth, CarPatternHeight);
    cairo_destroy(cc);
    cairo_set_source_surface(lc, car, -CarPatternWidth / 2.0, -CarPatternHeight / 2.0);
    cairo_paint(lc);
    cairo_destroy(lc);
    cairo_surface_destroy(car);
    cairo_set_source_surface(cr, layer, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(layer);
  });
}

}  // namespace

std::vector<ImageAsset> BuildCarImages() {
  std::vector<ImageAsset> images;
  const BodyBox traffic = {TrafficBodyLeft, TrafficBodyTop, TrafficBodyRight - TrafficBodyLeft,
                           TrafficBodyBottom - TrafficBodyTop};
  const BodyBox player = {PlayerBodyLeft, PlayerBodyTop, PlayerBodyRight - PlayerBodyLeft,
                          PlayerBodyBottom - PlayerBodyTop};
  for (int i = 0; i < 4; ++i) {
    images.push_back(CarImage(image::TrafficCars[i], TrafficLooks[i], traffic, false, 0));
  }
  for (int i = 0; i < 4; ++i) {
    images.push_back(
        CarImage(image::CrashedTrafficCars[i], TrafficLooks[i], traffic, true, 71 + i));
  }
  for (int i = 0; i < 4; ++i) {
    images.push_back(CarImage(image::PlayerCars[i], PlayerLooks[i], player, false, 0));
  }
  for (int i = 0; i < 4; ++i) {
    images.push_back(PreviewImage(image::TitleCars[i], PlayerLooks[i]));
  }
  return images;
}

}  // namespace tvx::assets
