// Pixels packed as fields of fixed widths from bit 0 upwards, blue, green, red, alpha, in 1, 2
// or 4 little-endian bytes: the layout of image records and of locked textures alike.
// Conversion goes through 32-bit 0xAARRGGBB: decoding widens a field of w bits to 8 as
// round(v * 255 / (2^w - 1)) with halves up and reads a missing field as 255; encoding keeps
// the top bits of each channel and sets the bits no field covers to `fill`.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tvx {

struct PixelFields {
  std::uint8_t bytes = 4;
  std::uint8_t blueBits = 0, greenBits = 0, redBits = 0, alphaBits = 0;
  std::uint32_t fill = 0;
};

class PixelFieldCodec {
 public:
  explicit PixelFieldCodec(const PixelFields& fields);

  std::uint32_t Decode(std::uint32_t value) const;
  std::uint32_t Encode(std::uint32_t argb) const;
  void DecodeRow(const std::uint8_t* source, std::uint32_t* argb, std::size_t count) const;
  void EncodeRow(const std::uint32_t* argb, std::uint8_t* target, std::size_t count) const;

 private:
  std::size_t bytes_;
  std::uint8_t bits_[4];
  std::uint32_t shift_[4];
  std::uint32_t mask_[4];
  std::uint32_t fill_;
};

}  // namespace tvx
