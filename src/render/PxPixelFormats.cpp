#include "render/PxPixelFormats.h"

#include <array>
#include <bit>
#include <cstring>

#include "platform/graphics_api.h"

namespace tvx {

namespace {

namespace fmt = gfx::format;

// 32-bit rows are copied as the little-endian bytes B, G, R, A.
static_assert(std::endian::native == std::endian::little);

constexpr std::array<TPixelFormatInfo, PixelFormatCount> kFormats{{
    {1, 3, 3, 2, 0, fmt::R3G3B2, 0},
    {2, 5, 6, 5, 0, fmt::R5G6B5, 0},
    {4, 8, 8, 8, 0, fmt::X8R8G8B8, 0xFF000000u},
    {2, 5, 5, 5, 0, fmt::X1R5G5B5, 0},
    {2, 4, 4, 4, 0, fmt::X4R4G4B4, 0},
    {4, 8, 8, 8, 8, fmt::A8R8G8B8, 0},
    {2, 5, 5, 5, 1, fmt::A1R5G5B5, 0},
    {2, 4, 4, 4, 4, fmt::A4R4G4B4, 0},
    {2, 3, 3, 2, 8, fmt::A8R3G3B2, 0},
    {1, 2, 2, 2, 2, fmt::Unknown, 0},
    {1, 0, 0, 0, 8, fmt::A8, 0},
}};

// kWiden[w][v]: a field of w bits widened to 8, round(v * 255 / (2^w - 1)) with halves up;
// row 0 is the missing field, which reads as 255.
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

// Where each channel sits in a pixel value, blue, green, red, alpha, worked out once per row.
class ChannelLayout {
 public:
  explicit ChannelLayout(const TPixelFormatInfo& f) : fill_(f.fillBits) {
    const std::uint8_t bits[4] = {f.blueBits, f.greenBits, f.redBits, f.alphaBits};
    std::uint32_t shift = 0;
    for (int c = 0; c < 4; ++c) {
      bits_[c] = bits[c];
      shift_[c] = shift;
      mask_[c] = (1u << bits[c]) - 1;
      shift += bits[c];
    }
  }

  std::uint32_t Decode(std::uint32_t value) const {
    std::uint32_t argb = 0;
    for (int c = 0; c < 4; ++c) {
      argb |= std::uint32_t{kWiden[bits_[c]][(value >> shift_[c]) & mask_[c]]} << (8 * c);
    }
    return argb;
  }

  std::uint32_t Encode(std::uint32_t argb) const {
    std::uint32_t value = fill_;
    for (int c = 0; c < 4; ++c) {
      if (bits_[c] == 0) continue;
      value |= (((argb >> (8 * c)) & 0xFF) >> (8 - bits_[c])) << shift_[c];
    }
    return value;
  }

 private:
  std::uint8_t bits_[4];
  std::uint32_t shift_[4];
  std::uint32_t mask_[4];
  std::uint32_t fill_;
};

template <std::size_t Bytes>
void DecodePixels(const ChannelLayout& layout, const std::uint8_t* source, std::uint32_t* target,
                  std::size_t count) {
  for (std::size_t i = 0; i < count; ++i, source += Bytes) {
    std::uint32_t value = 0;
    for (std::size_t b = Bytes; b-- > 0;) value = (value << 8) | source[b];
    target[i] = layout.Decode(value);
  }
}

template <std::size_t Bytes>
void EncodePixels(const ChannelLayout& layout, const std::uint32_t* source, std::uint8_t* target,
                  std::size_t count) {
  for (std::size_t i = 0; i < count; ++i, target += Bytes) {
    const std::uint32_t value = layout.Encode(source[i]);
    for (std::size_t b = 0; b < Bytes; ++b) target[b] = static_cast<std::uint8_t>(value >> (8 * b));
  }
}

}  // namespace

const TPixelFormatInfo& PixelFormatInfo(PixelFormat format) {
  return kFormats[static_cast<std::size_t>(format)];
}

std::size_t BytesPerPixel(PixelFormat format) { return PixelFormatInfo(format).bytes; }

std::optional<PixelFormat> PixelFormatFromByte(std::uint8_t value) {
  if (value >= PixelFormatCount) return std::nullopt;
  return static_cast<PixelFormat>(value);
}

std::optional<PixelFormat> PixelFormatOfDevice(std::uint32_t deviceFormat) {
  if (deviceFormat == fmt::Unknown) return std::nullopt;
  for (std::uint8_t i = 0; i < PixelFormatCount; ++i) {
    if (kFormats[i].deviceFormat == deviceFormat) return static_cast<PixelFormat>(i);
  }
  return std::nullopt;
}

bool RowsCopyUnchanged(PixelFormat stored, PixelFormat texture) {
  using enum PixelFormat;
  const auto both = [&](PixelFormat a, PixelFormat b) {
    return (stored == a || stored == b) && (texture == a || texture == b);
  };
  return stored == texture || both(pfX4R4G4B4, pfA4R4G4B4) || both(pfX8R8G8B8, pfA8R8G8B8);
}

std::uint32_t DecodePixel(PixelFormat format, std::uint32_t value) {
  return ChannelLayout(PixelFormatInfo(format)).Decode(value);
}

std::uint32_t EncodePixel(PixelFormat format, std::uint32_t argb) {
  return ChannelLayout(PixelFormatInfo(format)).Encode(argb);
}

void DecodeRow(PixelFormat format, const std::uint8_t* source, std::uint32_t* target,
               std::size_t count) {
  const ChannelLayout layout(PixelFormatInfo(format));
  switch (BytesPerPixel(format)) {
    case 1:
      return DecodePixels<1>(layout, source, target, count);
    case 2:
      return DecodePixels<2>(layout, source, target, count);
    default:
      if (format == PixelFormat::pfA8R8G8B8) {
        std::memcpy(target, source, count * 4);
        return;
      }
      return DecodePixels<4>(layout, source, target, count);
  }
}

void EncodeRow(PixelFormat format, const std::uint32_t* source, std::uint8_t* target,
               std::size_t count) {
  const ChannelLayout layout(PixelFormatInfo(format));
  switch (BytesPerPixel(format)) {
    case 1:
      return EncodePixels<1>(layout, source, target, count);
    case 2:
      return EncodePixels<2>(layout, source, target, count);
    default:
      if (format == PixelFormat::pfA8R8G8B8) {
        std::memcpy(target, source, count * 4);
        return;
      }
      return EncodePixels<4>(layout, source, target, count);
  }
}

}  // namespace tvx
