// Texel layouts of the texture formats of GraphicsApi.h, as a locked texture or an image
// record presents them: bytes per texel and the field widths packed from bit 0 upwards as
// blue, green, red, alpha (little-endian). Both 3-3-2 formats keep blue in the low three
// bits, the layout the image records use (deliberate; it differs from the D3D manuals).
#pragma once

#include <cstdint>
#include <optional>

#include "core/PixelFields.h"
#include "platform/GraphicsApi.h"

namespace tvx::gfx {

// The layout of a texture format, or nothing for formats no texture may have.
constexpr std::optional<PixelFields> TexelLayoutOf(std::uint32_t textureFormat) {
  switch (textureFormat) {
    case format::A8R8G8B8:
      return PixelFields{4, 8, 8, 8, 8};
    case format::X8R8G8B8:
      return PixelFields{4, 8, 8, 8, 0};
    case format::R5G6B5:
      return PixelFields{2, 5, 6, 5, 0};
    case format::X1R5G5B5:
      return PixelFields{2, 5, 5, 5, 0};
    case format::A1R5G5B5:
      return PixelFields{2, 5, 5, 5, 1};
    case format::A4R4G4B4:
      return PixelFields{2, 4, 4, 4, 4};
    case format::R3G3B2:
      return PixelFields{1, 3, 3, 2, 0};
    case format::A8:
      return PixelFields{1, 0, 0, 0, 8};
    case format::A8R3G3B2:
      return PixelFields{2, 3, 3, 2, 8};
    case format::X4R4G4B4:
      return PixelFields{2, 4, 4, 4, 0};
    default:
      return std::nullopt;
  }
}

}  // namespace tvx::gfx
