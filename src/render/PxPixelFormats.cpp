#include "render/PxPixelFormats.h"

#include <array>
#include <bit>
#include <cstring>

#include "core/PixelFields.h"
#include "platform/TexelLayouts.h"

namespace tvx {

namespace {

namespace fmt = gfx::format;

// 32-bit rows are copied as the little-endian bytes B, G, R, A.
static_assert(std::endian::native == std::endian::little);

// A format the device has takes its field widths from the device's texel layout.
constexpr TPixelFormatInfo DeviceFormat(std::uint32_t deviceFormat, std::uint32_t fillBits = 0) {
  const PixelFields f = *gfx::TexelLayoutOf(deviceFormat);
  return {f.bytes, f.blueBits, f.greenBits, f.redBits, f.alphaBits, deviceFormat, fillBits};
}

constexpr std::array<TPixelFormatInfo, PixelFormatCount> kFormats{{
    DeviceFormat(fmt::R3G3B2),
    DeviceFormat(fmt::R5G6B5),
    DeviceFormat(fmt::X8R8G8B8, 0xFF000000u),
    DeviceFormat(fmt::X1R5G5B5),
    DeviceFormat(fmt::X4R4G4B4),
    DeviceFormat(fmt::A8R8G8B8),
    DeviceFormat(fmt::A1R5G5B5),
    DeviceFormat(fmt::A4R4G4B4),
    DeviceFormat(fmt::A8R3G3B2),
    {1, 2, 2, 2, 2, fmt::Unknown, 0},
    DeviceFormat(fmt::A8),
}};

PixelFieldCodec CodecOf(PixelFormat format) {
  const TPixelFormatInfo& f = PixelFormatInfo(format);
  return PixelFieldCodec({f.bytes, f.blueBits, f.greenBits, f.redBits, f.alphaBits, f.fillBits});
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
  return CodecOf(format).Decode(value);
}

std::uint32_t EncodePixel(PixelFormat format, std::uint32_t argb) {
  return CodecOf(format).Encode(argb);
}

// A8R8G8B8 rows are the 32-bit words themselves.
void DecodeRow(PixelFormat format, const std::uint8_t* source, std::uint32_t* target,
               std::size_t count) {
  if (format == PixelFormat::pfA8R8G8B8) {
    std::memcpy(target, source, count * 4);
    return;
  }
  CodecOf(format).DecodeRow(source, target, count);
}

void EncodeRow(PixelFormat format, const std::uint32_t* source, std::uint8_t* target,
               std::size_t count) {
  if (format == PixelFormat::pfA8R8G8B8) {
    std::memcpy(target, source, count * 4);
    return;
  }
  CodecOf(format).EncodeRow(source, target, count);
}

}  // namespace tvx
