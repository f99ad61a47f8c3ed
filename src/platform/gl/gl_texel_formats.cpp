#include "platform/gl/gl_texel_formats.h"

#include "platform/graphics_api.h"

namespace tvx::gl {
namespace {

std::uint32_t Widen(std::uint32_t value, std::uint32_t bits) {
  if (bits == 0) return 255;
  const std::uint32_t maximum = (1u << bits) - 1;
  return (value * 255 * 2 + maximum) / (maximum * 2);  // round, halves up
}

}  // namespace

std::optional<TexelLayout> LayoutOfTextureFormat(std::uint32_t format) {
  namespace f = gfx::format;
  switch (format) {
    case f::A8R8G8B8:
      return TexelLayout{4, 8, 8, 8, 8};
    case f::X8R8G8B8:
      return TexelLayout{4, 8, 8, 8, 0};
    case f::R5G6B5:
      return TexelLayout{2, 5, 6, 5, 0};
    case f::X1R5G5B5:
      return TexelLayout{2, 5, 5, 5, 0};
    case f::A1R5G5B5:
      return TexelLayout{2, 5, 5, 5, 1};
    case f::A4R4G4B4:
      return TexelLayout{2, 4, 4, 4, 4};
    case f::R3G3B2:
      return TexelLayout{1, 3, 3, 2, 0};
    case f::A8:
      return TexelLayout{1, 0, 0, 0, 8};
    case f::A8R3G3B2:
      return TexelLayout{2, 3, 3, 2, 8};
    case f::X4R4G4B4:
      return TexelLayout{2, 4, 4, 4, 0};
    default:
      return std::nullopt;
  }
}

void DecodeRow(const TexelLayout& layout, const std::uint8_t* source, std::uint32_t count,
               std::uint32_t* argb) {
  const std::uint32_t greenShift = layout.blueBits;
  const std::uint32_t redShift = greenShift + layout.greenBits;
  const std::uint32_t alphaShift = redShift + layout.redBits;
  for (std::uint32_t i = 0; i < count; ++i, source += layout.bytes) {
    std::uint32_t texel = 0;
    for (std::uint32_t b = 0; b < layout.bytes; ++b) texel |= std::uint32_t{source[b]} << (8 * b);
    const auto field = [texel](std::uint32_t shift, std::uint32_t bits) {
      return Widen((texel >> shift) & ((1u << bits) - 1), bits);
    };
    argb[i] = field(alphaShift, layout.alphaBits) << 24 | field(redShift, layout.redBits) << 16 |
              field(greenShift, layout.greenBits) << 8 | field(0, layout.blueBits);
  }
}

}  // namespace tvx::gl
