// Pixel formats of image records and textures. Each format packs its fields from bit 0
// upwards as blue, green, red, alpha with fixed widths, little-endian, in 1, 2 or 4 bytes.
// Conversion always goes through 32-bit A8R8G8B8 (0xAARRGGBB): decoding widens every field
// to 8 bits (rounded, a missing field reads as 255), encoding keeps the top bits of each
// channel. The 3-3-2 layouts hold blue in the low three bits, also on device textures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tvx {

enum class PixelFormat : std::uint8_t {
  pfR3G3B2,
  pfR5G6B5,
  pfX8R8G8B8,
  pfX1R5G5B5,
  pfX4R4G4B4,
  pfA8R8G8B8,
  pfA1R5G5B5,
  pfA4R4G4B4,
  pfA8R3G3B2,
  pfA2R2G2B2,
  pfA8,
};
constexpr std::uint8_t PixelFormatCount = 11;

struct TPixelFormatInfo {
  std::uint8_t bytes;
  std::uint8_t blueBits, greenBits, redBits, alphaBits;
  std::uint32_t deviceFormat;  // gfx::format value, Unknown when the device has none
  std::uint32_t fillBits;      // written into the bits no field covers
};

const TPixelFormatInfo& PixelFormatInfo(PixelFormat format);
std::size_t BytesPerPixel(PixelFormat format);

// The format a stored format byte names; none for a byte outside the table.
std::optional<PixelFormat> PixelFormatFromByte(std::uint8_t value);
// The format a device format stands for; none for a device format outside the table.
std::optional<PixelFormat> PixelFormatOfDevice(std::uint32_t deviceFormat);

// Whether rows of `stored` may be copied into a texture of `texture` byte for byte.
bool RowsCopyUnchanged(PixelFormat stored, PixelFormat texture);

// One pixel, given as its little-endian value, to 0xAARRGGBB and back.
std::uint32_t DecodePixel(PixelFormat format, std::uint32_t value);
std::uint32_t EncodePixel(PixelFormat format, std::uint32_t argb);

// Whole rows: `count` pixels of `format` bytes to 32-bit pixels and back.
void DecodeRow(PixelFormat format, const std::uint8_t* source, std::uint32_t* target,
               std::size_t count);
void EncodeRow(PixelFormat format, const std::uint32_t* source, std::uint8_t* target,
               std::size_t count);

}  // namespace tvx
