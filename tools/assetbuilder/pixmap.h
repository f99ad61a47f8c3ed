// Pixmap: one picture in straight (not premultiplied) alpha, stored as the bytes an
// A8R8G8B8 image record holds: B, G, R, A per pixel, rows top first, no padding.
//
// Art is painted with cairo, whose surfaces hold premultiplied alpha; FromSurface converts
// so that both the game's alpha blend and its additive blend see the intended colours.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

namespace tvx::assets {

struct Pixmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;  // width * height * 4 bytes

  Pixmap() = default;
  Pixmap(int w, int h) : width(w), height(h), bgra(static_cast<std::size_t>(w) * h * 4, 0) {}

  std::uint8_t Alpha(int x, int y) const { return bgra[Offset(x, y) + 3]; }
  const std::uint8_t* Pixel(int x, int y) const { return &bgra[Offset(x, y)]; }
  std::uint8_t* Pixel(int x, int y) { return &bgra[Offset(x, y)]; }
  std::size_t Offset(int x, int y) const { return (static_cast<std::size_t>(y) * width + x) * 4; }

  static Pixmap FromSurface(cairo_surface_t* surface);
  // A premultiplied cairo surface holding a copy of the pixels (caller destroys it).
  cairo_surface_t* ToSurface() const;
};

}  // namespace tvx::assets
