// A read position over a memory block that the decoders' I/O callbacks share. Offsets from
// the data are clamped to the block, so a decoder can never read outside it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace tvx::audio_detail {

struct MemoryReader {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t position = 0;

  std::size_t Read(void* buffer, std::size_t count) {
    const std::size_t available = position < size ? size - position : 0;
    const std::size_t n = std::min(count, available);
    if (n > 0) std::memcpy(buffer, data + position, n);
    position += n;
    return n;
  }
  // Returns the new position, or -1 for a target outside the block.
  std::int64_t Seek(std::int64_t offset, int whence) {
    std::int64_t base = 0;
    if (whence == SEEK_CUR) base = static_cast<std::int64_t>(position);
    if (whence == SEEK_END) base = static_cast<std::int64_t>(size);
    const std::int64_t target = base + offset;
    if (target < 0 || target > static_cast<std::int64_t>(size)) return -1;
    position = static_cast<std::size_t>(target);
    return target;
  }
};

}  // namespace tvx::audio_detail
