#include "archive/RecordCodec.h"

#define ZLIB_CONST
#include <md5.h>
#include <zlib.h>

#include <algorithm>

namespace tvx {

namespace {
constexpr std::size_t kMinInitialCapacity = 64 * 1024;
}  // namespace

// Owns a z_stream set up for inflation.
class TInflater {
 public:
  TInflater(const std::uint8_t* stored, std::size_t storedSize) {
    stream_.next_in = stored;
    stream_.avail_in = static_cast<uInt>(storedSize);
    ready_ = inflateInit(&stream_) == Z_OK;
  }
  ~TInflater() {
    if (ready_) inflateEnd(&stream_);
  }
  TInflater(const TInflater&) = delete;
  TInflater& operator=(const TInflater&) = delete;

  bool Ready() const { return ready_; }
  // Inflates into `buffer`; returns zlib's code and the bytes produced.
  int Step(std::uint8_t* buffer, std::size_t capacity, std::size_t& produced) {
    stream_.next_out = buffer;
    stream_.avail_out = static_cast<uInt>(capacity);
    const int code = inflate(&stream_, Z_NO_FLUSH);
    produced = capacity - stream_.avail_out;
    return code;
  }

 private:
  z_stream stream_{};
  bool ready_ = false;
};

TDigest Md5Digest(const std::uint8_t* data, std::size_t size) {
  MD5_CTX context;
  MD5Init(&context);
  MD5Update(&context, data, size);
  TDigest digest{};
  MD5Final(digest.data(), &context);
  return digest;
}

std::uint64_t MaxInflatedSize(std::uint64_t storedSize) { return storedSize * 1032 + 1024; }

TInflateResult InflateExact(const std::uint8_t* stored, std::size_t storedSize,
                            std::uint32_t origSize, std::uint32_t sizeLimit,
                            std::vector<std::uint8_t>& out) {
  out.clear();
  if (origSize == 0) return TInflateResult::irError;
  if (origSize > sizeLimit || origSize > MaxInflatedSize(storedSize)) {
    return TInflateResult::irTooLarge;
  }
  if (storedSize > UINT32_MAX) return TInflateResult::irError;
  TInflater inflater(stored, storedSize);
  if (!inflater.Ready()) return TInflateResult::irError;

  out.resize(std::min<std::size_t>(origSize, std::max(storedSize * 4, kMinInitialCapacity)));
  std::size_t total = 0;
  for (;;) {
    if (total == out.size()) {
      if (total < origSize) {
        out.resize(std::min<std::size_t>(origSize, out.size() * 2));
        continue;
      }
      // The buffer holds origSize bytes; the stream must end here without one byte more.
      std::uint8_t extra = 0;
      std::size_t produced = 0;
      const int code = inflater.Step(&extra, 1, produced);
      if (code == Z_STREAM_END && produced == 0) return TInflateResult::irOk;
      break;
    }
    std::size_t produced = 0;
    const int code = inflater.Step(out.data() + total, out.size() - total, produced);
    total += produced;
    if (code == Z_STREAM_END) {
      if (total == origSize) return TInflateResult::irOk;
      break;
    }
    // Z_BUF_ERROR here means the stored bytes ran out before the stream ended.
    if (code != Z_OK) break;
  }
  out = {};
  return TInflateResult::irError;
}

TStoredRecordReader::TStoredRecordReader(const TStoredRecord& record)
    : inflater_(std::make_unique<TInflater>(record.bytes.data(), record.bytes.size())) {}

TStoredRecordReader::~TStoredRecordReader() = default;

bool TStoredRecordReader::ReadExact(void* buffer, std::size_t count) {
  if (!inflater_->Ready()) return false;
  std::array<std::uint8_t, 4096> skipped;
  auto* into = static_cast<std::uint8_t*>(buffer);
  while (count > 0) {
    std::uint8_t* target = into != nullptr ? into : skipped.data();
    const std::size_t wanted = into != nullptr ? count : std::min(count, skipped.size());
    std::size_t produced = 0;
    const int code = inflater_->Step(target, wanted, produced);
    count -= produced;
    if (into != nullptr) into += produced;
    if (count > 0 && code != Z_OK) return false;
  }
  return true;
}

}  // namespace tvx
