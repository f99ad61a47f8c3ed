#include "platform/gl/gl_texel_formats.h"

#include "platform/graphics_api.h"

namespace tvx::gl {

std::optional<PixelFields> LayoutOfTextureFormat(std::uint32_t format) {
  namespace f = gfx::format;
  switch (format) {
    case f::A8R8G8B8:
      return PixelFields{4, 8, 8, 8, 8};
    case f::X8R8G8B8:
      return PixelFields{4, 8, 8, 8, 0};
    case f::R5G6B5:
      return PixelFields{2, 5, 6, 5, 0};
    case f::X1R5G5B5:
      return PixelFields{2, 5, 5, 5, 0};
    case f::A1R5G5B5:
      return PixelFields{2, 5, 5, 5, 1};
    case f::A4R4G4B4:
      return PixelFields{2, 4, 4, 4, 4};
    case f::R3G3B2:
      return PixelFields{1, 3, 3, 2, 0};
    case f::A8:
      return PixelFields{1, 0, 0, 0, 8};
    case f::A8R3G3B2:
      return PixelFields{2, 3, 3, 2, 8};
    case f::X4R4G4B4:
      return PixelFields{2, 4, 4, 4, 0};
    default:
      return std::nullopt;
  }
}

}  // namespace tvx::gl
