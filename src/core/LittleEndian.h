// Appending integers to a byte buffer in little-endian order, as every record of the archive
// stores them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tvx {

// The low `size` bytes of `value`, lowest first.
inline void AppendLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value,
                               std::size_t size = 4) {
  for (std::size_t i = 0; i < size; ++i)
    bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace tvx
