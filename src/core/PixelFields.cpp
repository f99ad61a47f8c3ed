#include "core/PixelFields.h"

#include <array>

namespace tvx {

namespace {

// kWiden[w][v]: a field of w bits widened to 8 bits; row 0 is the missing field.
using WidenTable = std::array<std::array<std::uint8_t, 256>, 9>;
constexpr WidenTable MakeWidenTable() {
  WidenTable table{};
  for (auto& entry : table[0]) entry = 255;
  for (std::uint32_t bits = 1; bits <= 8; ++bits) {
    const std::uint32_t max = (1u << bits) - 1;
    for (std::uint32_t v = 0; v <= max; ++v) {
      table[bits][v] = static_cast<std::uint8_t>((2 * v * 255 + max) / (2 * max));
    }
  }
  return table;
}
constexpr WidenTable kWiden = MakeWidenTable();

template <std::size_t Bytes>
void DecodePixels(const PixelFieldCodec& codec, const std::uint8_t* source, std::uint32_t* argb,
                  std::size_t count) {
  for (std::size_t i = 0; i < count; ++i, source += Bytes) {
    std::uint32_t value = 0;
    for (std::size_t b = Bytes; b-- > 0;) value = (value << 8) | source[b];
    argb[i] = codec.Decode(value);
  }
}

template <std::size_t Bytes>
void EncodePixels(const PixelFieldCodec& codec, const std::uint32_t* argb, std::uint8_t* target,
                  std::size_t count) {
  for (std::size_t i = 0; i < count; ++i, target += Bytes) {
    const std::uint32_t value = codec.Encode(argb[i]);
    for (std::size_t b = 0; b < Bytes; ++b) target[b] = static_cast<std::uint8_t>(value >> (8 * b));
  }
}

}  // namespace

PixelFieldCodec::PixelFieldCodec(const PixelFields& fields)
    : bytes_(fields.bytes), fill_(fields.fill) {
  const std::uint8_t bits[4] = {fields.blueBits, fields.greenBits, fields.redBits,
                                fields.alphaBits};
  std::uint32_t shift = 0;
  for (int c = 0; c < 4; ++c) {
    bits_[c] = bits[c];
    shift_[c] = shift;
    mask_[c] = (1u << bits[c]) - 1;
    shift += bits[c];
  }
}

std::uint32_t PixelFieldCodec::Decode(std::uint32_t value) const {
  std::uint32_t argb = 0;
  for (int c = 0; c < 4; ++c) {
    argb |= std::uint32_t{kWiden[bits_[c]][(value >> shift_[c]) & mask_[c]]} << (8 * c);
  }
  return argb;
}

std::uint32_t PixelFieldCodec::Encode(std::uint32_t argb) const {
  std::uint32_t value = fill_;
  for (int c = 0; c < 4; ++c) {
    if (bits_[c] == 0) continue;
    value |= (((argb >> (8 * c)) & 0xFF) >> (8 - bits_[c])) << shift_[c];
  }
  return value;
}

void PixelFieldCodec::DecodeRow(const std::uint8_t* source, std::uint32_t* argb,
                                std::size_t count) const {
  switch (bytes_) {
    case 1:
      return DecodePixels<1>(*this, source, argb, count);
    case 2:
      return DecodePixels<2>(*this, source, argb, count);
    default:
      return DecodePixels<4>(*this, source, argb, count);
  }
}

void PixelFieldCodec::EncodeRow(const std::uint32_t* argb, std::uint8_t* target,
                                std::size_t count) const {
  switch (bytes_) {
    case 1:
      return EncodePixels<1>(*this, argb, target, count);
    case 2:
      return EncodePixels<2>(*this, argb, target, count);
    default:
      return EncodePixels<4>(*this, argb, target, count);
  }
}

}  // namespace tvx
