// Texel layouts of the texture formats the backend accepts, as a locked texture presents
// them to its caller: bytes per texel and the field widths packed from bit 0 upwards as
// blue, green, red, alpha (little-endian). Both 3-3-2 formats keep blue in the low three
// bits, the layout the image records use (deliberate; it differs from the D3D manuals).
// GL keeps every texture as 8-bit RGBA; DecodeRow widens a locked row to 0xAARRGGBB for
// the upload, fields of w bits as round(v * 255 / (2^w - 1)), absent fields as 255.
#pragma once

#include <cstdint>
#include <optional>

namespace tvx::gl {

struct TexelLayout {
  std::uint32_t bytes = 0;
  std::uint32_t blueBits = 0;
  std::uint32_t greenBits = 0;
  std::uint32_t redBits = 0;
  std::uint32_t alphaBits = 0;
};

// The layout of a texture format of graphics_api.h, or nothing for other formats.
std::optional<TexelLayout> LayoutOfTextureFormat(std::uint32_t format);

// Decodes `count` texels of `layout` at `source` into 0xAARRGGBB words.
void DecodeRow(const TexelLayout& layout, const std::uint8_t* source, std::uint32_t count,
               std::uint32_t* argb);

}  // namespace tvx::gl
