// The two transformations of a record's data: its MD5 digest and the inflation of its stored
// zlib stream to exactly the size the record header announces.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tvx {

using TDigest = std::array<std::uint8_t, 16>;

TDigest Md5Digest(const std::uint8_t* data, std::size_t size);

enum class TInflateResult { irOk, irTooLarge, irError };

// Largest uncompressed size a zlib stream of `storedSize` bytes can have: deflate never
// expands beyond 1032:1, so a record claiming more cannot be genuine.
std::uint64_t MaxInflatedSize(std::uint64_t storedSize);

// Inflates one complete zlib stream into `out`, which ends up holding exactly `origSize`
// bytes on success. Fails for origSize 0, above `sizeLimit` or above what the stored bytes
// can yield, for any zlib error, a stream that ends early and one that yields more. The
// buffer grows with the data actually produced, so a lying size allocates little.
TInflateResult InflateExact(const std::uint8_t* stored, std::size_t storedSize,
                            std::uint32_t origSize, std::uint32_t sizeLimit,
                            std::vector<std::uint8_t>& out);

}  // namespace tvx
