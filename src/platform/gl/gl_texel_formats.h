// Texel layouts of the texture formats the backend accepts, as a locked texture presents
// them to its caller: bytes per texel and the field widths packed from bit 0 upwards as
// blue, green, red, alpha (little-endian). Both 3-3-2 formats keep blue in the low three
// bits, the layout the image records use (deliberate; it differs from the D3D manuals).
// GL keeps every texture as 8-bit RGBA; a PixelFieldCodec widens a locked row to
// 0xAARRGGBB for the upload.
#pragma once

#include <cstdint>
#include <optional>

#include "core/pixel_fields.h"

namespace tvx::gl {

// The layout of a texture format of graphics_api.h, or nothing for other formats.
std::optional<PixelFields> LayoutOfTextureFormat(std::uint32_t format);

}  // namespace tvx::gl
