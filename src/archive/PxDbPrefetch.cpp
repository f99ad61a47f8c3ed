#include "archive/PxDbPrefetch.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>
#include <utility>

namespace tvx {

TPxDbPrefetch::TPxDbPrefetch(std::string path)
    : worker_([this, path = std::move(path)] { Run(path); }) {}

TPxDbPrefetch::~TPxDbPrefetch() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

bool TPxDbPrefetch::SameStoredBytes(TStream& file, const TRecordInfo& record,
                                    const std::vector<std::uint8_t>& stored) {
  const std::uint64_t dataOffset = std::uint64_t{record.Offset} + kRecordHeaderSize;
  if (stored.size() != record.PhysSize || !file.Seek(dataOffset) ||
      file.Remaining() < stored.size()) {
    return false;
  }
  // Compared piece by piece: the whole record is never held twice.
  std::uint8_t piece[64 * 1024];
  for (std::size_t at = 0; at < stored.size();) {
    const std::size_t count = std::min(sizeof piece, stored.size() - at);
    if (!ReadExact(file, piece, count) || std::memcmp(piece, stored.data() + at, count) != 0) {
      return false;
    }
    at += count;
  }
  return true;
}

bool TPxDbPrefetch::TakeDecoded(int index, const TRecordInfo& record, TStream& file,
                                TReadStatus& status, std::vector<std::uint8_t>& data) {
  if (index < 0) return false;
  const auto wanted = static_cast<std::size_t>(index);
  {
    std::unique_lock lock(mutex_);
    progress_.wait(lock, [&] { return finished_ || settled_ > wanted; });
    if (wanted >= settled_) return false;
  }
  Outcome& outcome = outcomes_[static_cast<std::size_t>(index)];
  if (!outcome.ready || outcome.record.OrigSize != record.OrigSize ||
      outcome.record.Checksum != record.Checksum ||
      !SameStoredBytes(file, record, outcome.stored)) {
    return false;
  }
  outcome.ready = false;
  status = outcome.status;
  data = std::move(outcome.data);
  outcome.stored = {};
  return true;
}

void TPxDbPrefetch::Settle(std::size_t settled) {
  {
    std::lock_guard lock(mutex_);
    settled_ = settled;
  }
  progress_.notify_all();
}

void TPxDbPrefetch::Run(const std::string& path) {
  // Nothing may escape the thread; whatever is not prefetched is left to the ordinary reads.
  try {
    ReadAndDecode(path);
  } catch (const std::exception&) {
    // The records settled so far stand; the others are read as usual.
  }
  std::lock_guard lock(mutex_);
  finished_ = true;
  progress_.notify_all();
}

void TPxDbPrefetch::ReadAndDecode(const std::string& path) {
  std::unique_ptr<TFileStream> file = TFileStream::OpenRead(path);
  if (file == nullptr || file->Size() > kMaxFileSize) return;
  TMemoryStream bytes;
  std::vector<std::uint8_t> chunk(1u << 20);
  while (bytes.Size() < file->Size() && !stop_) {
    const std::size_t count = file->Read(chunk.data(), chunk.size());
    if (count == 0) return;
    bytes.Write(chunk.data(), count);
  }
  if (bytes.Size() != file->Size()) return;
  file.reset();
  bytes.Seek(0);
  TMemoryStreamView view(bytes);
  TPxDb reader(nullptr);
  if (reader.LoadTable(&view)) DecodeAll(view, reader.records_);
}

void TPxDbPrefetch::DecodeAll(TStream& file, const std::vector<TRecordInfo>& records) {
  {
    std::lock_guard lock(mutex_);
    outcomes_.resize(records.size());
  }
  std::uint64_t kept = 0;
  for (std::size_t i = 0; i < records.size() && !stop_; Settle(++i)) {
    Outcome& outcome = outcomes_[i];
    outcome.record = records[i];
    if (kept + outcome.record.OrigSize + outcome.record.PhysSize > kMaxPrefetchedBytes ||
        !ReadStoredBytes(file, outcome.record, outcome.stored)) {
      continue;
    }
    outcome.status = DecodeRecord(outcome.stored, outcome.record, outcome.data);
    kept += outcome.stored.size() + outcome.data.size();
    outcome.ready = true;
  }
}

}  // namespace tvx
