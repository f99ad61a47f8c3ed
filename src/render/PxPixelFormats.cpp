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

std::uint32_t ReadLittleEndian(const std::uint8_t* p, std::size_t bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = bytes; i-- > 0;) value = (value << 8) | p[i];
  return value;
}

void WriteLittleEndian(std::uint8_t* p, std::size_t bytes, std::uint32_t value) {
  for (std::size_t i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t FieldMask(std::uint8_t bits) { return (1u << bits) - 1; }

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
  const TPixelFormatInfo& f = PixelFormatInfo(format);
  std::uint32_t shift = 0;
  const auto take = [&](std::uint8_t bits) -> std::uint32_t {
    const std::uint32_t field = (value >> shift) & FieldMask(bits);
    shift += bits;
    return kWiden[bits][field];
  };
  const std::uint32_t blue = take(f.blueBits);
  const std::uint32_t green = take(f.greenBits);
  const std::uint32_t red = take(f.redBits);
  const std::uint32_t alpha = take(f.alphaBits);
  return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

std::uint32_t EncodePixel(PixelFormat format, std::uint32_t argb) {
  const TPixelFormatInfo& f = PixelFormatInfo(format);
  std::uint32_t value = 0;
  std::uint32_t shift = 0;
  const auto put = [&](std::uint32_t channel, std::uint8_t bits) {
    if (bits == 0) return;
    value |= (channel >> (8 - bits)) << shift;
    shift += bits;
  };
  put(argb & 0xFF, f.blueBits);
  put((argb >> 8) & 0xFF, f.greenBits);
  put((argb >> 16) & 0xFF, f.redBits);
  put(argb >> 24, f.alphaBits);
  return value | f.fillBits;
}

void DecodeRow(PixelFormat format, const std::uint8_t* source, std::uint32_t* target,
               std::size_t count) {
  const std::size_t bytes = BytesPerPixel(format);
  if (format == PixelFormat::pfA8R8G8B8) {
    std::memcpy(target, source, count * bytes);
    return;
  }
  for (std::size_t i = 0; i < count; ++i, source += bytes) {
    target[i] = DecodePixel(format, ReadLittleEndian(source, bytes));
  }
}

void EncodeRow(PixelFormat format, const std::uint32_t* source, std::uint8_t* target,
               std::size_t count) {
  const std::size_t bytes = BytesPerPixel(format);
  if (format == PixelFormat::pfA8R8G8B8) {
    std::memcpy(target, source, count * bytes);
    return;
  }
  for (std::size_t i = 0; i < count; ++i, target += bytes) {
    WriteLittleEndian(target, bytes, EncodePixel(format, source[i]));
  }
}

}  // namespace tvx
