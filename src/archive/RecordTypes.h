// The type field of the game archive's records: what a record's data is. The loaders, the
// asset builder and pxdbtool's manifests all speak of records by these numbers.
#pragma once

#include <cstdint>

namespace tvx {

constexpr std::uint16_t ImageRecordType = 1;
constexpr std::uint16_t SoundRecordType = 2;
constexpr std::uint16_t FontRecordType = 3;

}  // namespace tvx
