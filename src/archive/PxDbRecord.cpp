// Reading one record: reload the table, read the stored bytes, inflate, check the digest
// (or take the outcome of that from a prefetch of the same bytes).
#include <memory>
#include <utility>

#include "archive/PxDb.h"
#include "archive/PxDbPrefetch.h"
#include "archive/RecordCodec.h"

namespace tvx {

// The stored bytes are read only if the file really holds them, so PhysSize cannot force a
// large allocation.
bool ReadStoredBytes(TStream& file, const TRecordInfo& record, std::vector<std::uint8_t>& stored) {
  const std::uint64_t dataOffset = std::uint64_t{record.Offset} + kRecordHeaderSize;
  if (!file.Seek(dataOffset) || file.Remaining() < record.PhysSize) return false;
  stored.resize(record.PhysSize);
  return ReadExact(file, stored.data(), stored.size());
}

TReadStatus DecodeRecord(const std::uint8_t* stored, std::size_t storedSize,
                         const TRecordInfo& record, std::vector<std::uint8_t>& data) {
  // No key is held, so enciphered records are inflated as stored, like any other.
  switch (InflateExact(stored, storedSize, record.OrigSize, TPxDb::kMaxOrigSize, data)) {
    case TInflateResult::irOk:
      break;
    case TInflateResult::irTooLarge:
      return TReadStatus::rsTooLarge;
    case TInflateResult::irError:
      return TReadStatus::rsInflateError;
  }
  if (Md5Digest(data.data(), data.size()) != record.Checksum) {
    data = {};
    return TReadStatus::rsDigestMismatch;
  }
  return TReadStatus::rsOk;
}

template <class Select>
bool TPxDb::ReadRecord(Select select, TMemoryStream& stream, TStoredRecord* keepStored) {
  std::vector<std::uint8_t> data;
  std::vector<std::uint8_t> stored;
  lastReadStatus_ = [&] {
    std::unique_ptr<TFileStream> file = TFileStream::OpenRead(fileName_);
    if (file == nullptr) return TReadStatus::rsFileError;
    // Deliberately reloaded on every read, whatever Loaded says.
    if (!LoadTable(file.get())) return TReadStatus::rsTableError;
    const int index = select();
    if (index < 0) return TReadStatus::rsKeyNotFound;
    const TRecordInfo& record = records_[static_cast<std::size_t>(index)];
    TReadStatus decoded = TReadStatus::rsOk;
    if (prefetch_ != nullptr && prefetch_->TakeDecoded(index, record, *file, decoded, data,
                                                       keepStored != nullptr ? &stored : nullptr)) {
      return decoded;
    }
    if (!ReadStoredBytes(*file, record, stored)) return TReadStatus::rsStoredBytesShort;
    file.reset();
    return DecodeRecord(stored.data(), stored.size(), record, data);
  }();
  if (lastReadStatus_ != TReadStatus::rsOk) return false;
  const std::size_t size = data.size();
  if (keepStored != nullptr) keepStored->bytes = std::move(stored);
  if (stream.Write(std::move(data)) != size) {
    lastReadStatus_ = TReadStatus::rsWriteError;
  }
  return lastReadStatus_ == TReadStatus::rsOk;
}

bool TPxDb::ReadStream(const std::string& key, TMemoryStream& stream) {
  return ReadRecord([&] { return FindRecord(key); }, stream, nullptr);
}

bool TPxDb::ReadStream(const std::string& key, TMemoryStream& stream, TStoredRecord& stored) {
  return ReadRecord([&] { return FindRecord(key); }, stream, &stored);
}

bool TPxDb::ReadStreamAt(int index, TMemoryStream& stream) {
  return ReadRecord([&] { return RecordInfo(index) != nullptr ? index : -1; }, stream, nullptr);
}

}  // namespace tvx
