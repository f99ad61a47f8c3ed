// The two transformations of a record's data: its MD5 digest and the inflation of its stored
// zlib stream to exactly the size the record header announces; and the stored bytes kept to
// be read back later.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
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

// A record's stored bytes as a read found them, for a reader that wants the data again later
// without holding it inflated meanwhile (a third or less of the size for pictures).
struct TStoredRecord {
  std::vector<std::uint8_t> bytes;
};

class TInflater;

// The data of a kept record again, inflated only as far as it is read, straight into the
// reader's buffers: no buffer of the whole data is needed.
class TStoredRecordReader {
 public:
  explicit TStoredRecordReader(const TStoredRecord& record);
  ~TStoredRecordReader();
  TStoredRecordReader(const TStoredRecordReader&) = delete;
  TStoredRecordReader& operator=(const TStoredRecordReader&) = delete;

  // The next `count` bytes into `buffer`, or past them for a null buffer; false when the data
  // ends first or the bytes no longer inflate.
  bool ReadExact(void* buffer, std::size_t count);

 private:
  std::unique_ptr<TInflater> inflater_;
};

}  // namespace tvx
