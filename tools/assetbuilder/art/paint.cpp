#include "assetbuilder/art/paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tvx::assets {

Rgb Hex(std::uint32_t rrggbb) {
  return {((rrggbb >> 16) & 0xFF) / 255.0, ((rrggbb >> 8) & 0xFF) / 255.0, (rrggbb & 0xFF) / 255.0};
}

void SetColor(cairo_t* cr, const Rgb& c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void AddStop(cairo_pattern_t* p, double offset, const Rgb& c, double alpha) {
  cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

namespace {

// Adds the stops to the pattern, covers with it and frees it.
void CoverWith(cairo_t* cr, cairo_pattern_t* p, std::initializer_list<GradientStop> stops,
               Cover cover) {
  for (const GradientStop& stop : stops) AddStop(p, stop.offset, stop.color, stop.alpha);
  cairo_set_source(cr, p);
  switch (cover) {
    case Cover::kFill:
      cairo_fill(cr);
      break;
    case Cover::kFillPreserve:
      cairo_fill_preserve(cr);
      break;
    case Cover::kPaint:
      cairo_paint(cr);
      break;
  }
  cairo_pattern_destroy(p);
}

}  // namespace

void LinearGradient(cairo_t* cr, double x0, double y0, double x1, double y1,
                    std::initializer_list<GradientStop> stops, Cover cover) {
  CoverWith(cr, cairo_pattern_create_linear(x0, y0, x1, y1), stops, cover);
}

void RadialGradient(cairo_t* cr, double x0, double y0, double r0, double x1, double y1, double r1,
                    std::initializer_list<GradientStop> stops, Cover cover) {
  CoverWith(cr, cairo_pattern_create_radial(x0, y0, r0, x1, y1, r1), stops, cover);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
  const double r = std::min({radius, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void FillCircle(cairo_t* cr, double cx, double cy, double radius, const Rgb& c, double alpha) {
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  SetColor(cr, c, alpha);
  cairo_fill(cr);
}

void FillRadial(cairo_t* cr, double cx, double cy, double radius, const Rgb& c, double alpha) {
  RadialGradient(cr, cx, cy, 0, cx, cy, radius,
                 {{0, c, alpha}, {0.45, c, alpha * 0.45}, {1, c, 0}});
}

void Glow(cairo_t* cr, double cx, double cy, double radius, const Rgb& c, double alpha) {
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  FillRadial(cr, cx, cy, radius, c, alpha);
}

namespace {

// One box pass along a line of `count` pixels `step` words apart, all four channels.
void BoxLine(std::uint32_t* line, int count, int step, int radius, bool wrap,
             std::vector<std::uint32_t>& scratch) {
  scratch.resize(count);
  for (int i = 0; i < count; ++i) scratch[i] = line[static_cast<std::ptrdiff_t>(i) * step];
  const auto at = [&](int i) {
    if (wrap) return scratch[((i % count) + count) % count];
    return scratch[std::clamp(i, 0, count - 1)];
  };
  std::uint32_t sum[4] = {0, 0, 0, 0};
  for (int i = -radius; i <= radius; ++i) {
    const std::uint32_t v = at(i);
    for (int c = 0; c < 4; ++c) sum[c] += (v >> (8 * c)) & 0xFF;
  }
  const std::uint32_t window = 2 * radius + 1;
  for (int i = 0; i < count; ++i) {
    std::uint32_t out = 0;
    for (int c = 0; c < 4; ++c) out |= ((sum[c] + window / 2) / window) << (8 * c);
    line[static_cast<std::ptrdiff_t>(i) * step] = out;
    const std::uint32_t add = at(i + radius + 1), remove = at(i - radius);
    for (int c = 0; c < 4; ++c) sum[c] += ((add >> (8 * c)) & 0xFF) - ((remove >> (8 * c)) & 0xFF);
  }
}

}  // namespace

void BlurSurface(cairo_surface_t* surface, int radius, bool wrapY) {
  if (radius <= 0) return;
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stridePixels = cairo_image_surface_get_stride(surface) / 4;
  auto* data = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface));
  std::vector<std::uint32_t> scratch;
  // Radius 1 is a single light pass; larger radii take three passes of half the radius.
  const int passRadius = std::max(1, radius / 2);
  const int passes = radius == 1 ? 1 : 3;
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < h; ++y)
      BoxLine(data + static_cast<std::ptrdiff_t>(y) * stridePixels, w, 1, passRadius, false,
              scratch);
    for (int x = 0; x < w; ++x) BoxLine(data + x, h, stridePixels, passRadius, wrapY, scratch);
  }
  cairo_surface_mark_dirty(surface);
}

void PaintBlurred(cairo_t* cr, int width, int height, int radius, double opacity,
                  const std::function<void(cairo_t*)>& draw, bool wrapY) {
  cairo_surface_t* layer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* lc = cairo_create(layer);
  draw(lc);
  cairo_destroy(lc);
  BlurSurface(layer, radius, wrapY);
  cairo_save(cr);
  cairo_set_source_surface(cr, layer, 0, 0);
  cairo_paint_with_alpha(cr, opacity);
  cairo_restore(cr);
  cairo_surface_destroy(layer);
}

ImageAsset PaintPatterns(std::string key, int width, int height, int count,
                         const std::function<void(cairo_t*, int)>& painter) {
  ImageAsset image;
  image.key = std::move(key);
  image.drawWidth = width;
  image.drawHeight = height;
  for (int i = 0; i < count; ++i) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
    painter(cr, i);
    cairo_destroy(cr);
    image.patterns.push_back(Pixmap::FromSurface(surface));
    cairo_surface_destroy(surface);
  }
  return image;
}

}  // namespace tvx::assets
