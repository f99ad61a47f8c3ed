#include "render/PxFormatChoice.h"

#include <array>

namespace tvx {

namespace {

namespace fmt = gfx::format;

constexpr std::array<std::uint32_t, 5> kOpaqueLow{fmt::R3G3B2, fmt::R5G6B5, fmt::X1R5G5B5,
                                                  fmt::X4R4G4B4, fmt::X8R8G8B8};
constexpr std::array<std::uint32_t, 5> kOpaqueMedium{fmt::R5G6B5, fmt::X8R8G8B8, fmt::X1R5G5B5,
                                                     fmt::X4R4G4B4, fmt::R3G3B2};
constexpr std::array<std::uint32_t, 5> kOpaqueHigh{fmt::X8R8G8B8, fmt::R5G6B5, fmt::X1R5G5B5,
                                                   fmt::X4R4G4B4, fmt::R3G3B2};
constexpr std::array<std::uint32_t, 4> kMask{fmt::A1R5G5B5, fmt::A4R4G4B4, fmt::A8R8G8B8,
                                             fmt::A8R3G3B2};
constexpr std::array<std::uint32_t, 4> kFullLow{fmt::A4R4G4B4, fmt::A8R8G8B8, fmt::A1R5G5B5,
                                                fmt::A8R3G3B2};
constexpr std::array<std::uint32_t, 4> kFullMedium{fmt::A4R4G4B4, fmt::A8R8G8B8, fmt::A8R3G3B2,
                                                   fmt::A1R5G5B5};
constexpr std::array<std::uint32_t, 4> kFullHigh{fmt::A8R8G8B8, fmt::A4R4G4B4, fmt::A8R3G3B2,
                                                 fmt::A1R5G5B5};
constexpr std::array<std::uint32_t, 5> kExclusive{fmt::A8, fmt::A8R3G3B2, fmt::A8R8G8B8,
                                                  fmt::A4R4G4B4, fmt::A1R5G5B5};

template <class List>
std::span<const std::uint32_t> ByQuality(TPxQuality quality, const List& low, const List& medium,
                                         const List& high) {
  switch (quality) {
    case TPxQuality::pqLow:
      return low;
    case TPxQuality::pqMedium:
      return medium;
    case TPxQuality::pqHigh:
      break;
  }
  return high;
}

}  // namespace

std::span<const std::uint32_t> TextureFormatCandidates(TAlphaLevel alphaLevel, TPxQuality quality) {
  switch (alphaLevel) {
    case TAlphaLevel::alNone:
      return ByQuality(quality, kOpaqueLow, kOpaqueMedium, kOpaqueHigh);
    case TAlphaLevel::alMask:
      return kMask;
    case TAlphaLevel::alFull:
      break;
    case TAlphaLevel::alExclusive:
      return kExclusive;
  }
  return ByQuality(quality, kFullLow, kFullMedium, kFullHigh);
}

}  // namespace tvx
