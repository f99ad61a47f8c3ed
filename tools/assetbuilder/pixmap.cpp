#include "assetbuilder/pixmap.h"

#include <cstring>

namespace tvx::assets {

Pixmap Pixmap::FromSurface(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  Pixmap out(w, h);
  for (int y = 0; y < h; ++y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t argb = row[x];
      const unsigned a = argb >> 24;
      std::uint8_t* p = out.Pixel(x, y);
      if (a == 0) continue;  // fully transparent stays all zero
      const auto unpremultiply = [a](unsigned c) {
        return static_cast<std::uint8_t>((c * 255 + a / 2) / a);
      };
      p[0] = unpremultiply(argb & 0xFF);
      p[1] = unpremultiply((argb >> 8) & 0xFF);
      p[2] = unpremultiply((argb >> 16) & 0xFF);
      p[3] = static_cast<std::uint8_t>(a);
    }
  }
  return out;
}

cairo_surface_t* Pixmap::ToSurface() const {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_surface_flush(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = Pixel(x, y);
      const unsigned a = p[3];
      const auto premultiply = [a](unsigned c) { return (c * a + 127) / 255; };
      row[x] = (a << 24) | (premultiply(p[2]) << 16) | (premultiply(p[1]) << 8) | premultiply(p[0]);
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}

}  // namespace tvx::assets
