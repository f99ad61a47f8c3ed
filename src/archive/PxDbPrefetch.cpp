#include "archive/PxDbPrefetch.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>
#include <utility>

#include "core/TerminalText.h"

namespace tvx {

TPxDbPrefetch::TPxDbPrefetch(std::string path, TDamageReport onDamage)
    : worker_([this, path = std::move(path), onDamage = std::move(onDamage)] {
        Run(path, onDamage);
      }) {}

TPxDbPrefetch::~TPxDbPrefetch() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

bool TPxDbPrefetch::SameStoredBytes(TStream& file, const TRecordInfo& record,
                                    const std::uint8_t* stored) {
  const std::uint64_t dataOffset = std::uint64_t{record.Offset} + kRecordHeaderSize;
  const std::size_t size = record.PhysSize;
  if (!file.Seek(dataOffset) || file.Remaining() < size) return false;
  // Compared piece by piece: the whole record is never held twice.
  std::uint8_t piece[64 * 1024];
  for (std::size_t at = 0; at < size;) {
    const std::size_t count = std::min(sizeof piece, size - at);
    if (!ReadExact(file, piece, count) || std::memcmp(piece, stored + at, count) != 0) {
      return false;
    }
    at += count;
  }
  return true;
}

bool TPxDbPrefetch::TakeDecoded(int index, const TRecordInfo& record, TStream& file,
                                TReadStatus& status, std::vector<std::uint8_t>& data,
                                std::vector<std::uint8_t>* stored) {
  if (index < 0) return false;
  const auto wanted = static_cast<std::size_t>(index);
  {
    std::unique_lock lock(mutex_);
    progress_.wait(lock, [&] { return finished_ || settled_ > wanted; });
    if (wanted >= settled_) return false;
  }
  Outcome& outcome = outcomes_[static_cast<std::size_t>(index)];
  if (!outcome.ready || outcome.record.OrigSize != record.OrigSize ||
      outcome.record.PhysSize != record.PhysSize || outcome.record.Checksum != record.Checksum ||
      !SameStoredBytes(file, record, fileBytes_.get() + outcome.storedAt)) {
    return false;
  }
  outcome.ready = false;
  status = outcome.status;
  data = std::move(outcome.data);
  if (stored != nullptr) {
    const std::uint8_t* first = fileBytes_.get() + outcome.storedAt;
    stored->assign(first, first + record.PhysSize);
  }
  return true;
}

void TPxDbPrefetch::Settle(std::size_t settled) {
  {
    std::lock_guard lock(mutex_);
    settled_ = settled;
  }
  progress_.notify_all();
}

void TPxDbPrefetch::Run(const std::string& path, const TDamageReport& onDamage) {
  // Nothing may escape the thread; whatever is not prefetched is left to the ordinary reads.
  std::string damage;
  try {
    damage = ReadAndDecode(path);
    // Told before the last reader is let go, so that a reader done with every record has it.
    if (!damage.empty() && onDamage) onDamage("the archive " + path + damage);
  } catch (const std::exception&) {
    // The records settled so far stand; the others are read as usual.
  }
  std::lock_guard lock(mutex_);
  finished_ = true;
  progress_.notify_all();
}

std::string TPxDbPrefetch::ReadAndDecode(const std::string& path) {
  constexpr char kUnreadable[] = " cannot be read";
  std::unique_ptr<TFileStream> file = TFileStream::OpenRead(path);
  if (file == nullptr) return kUnreadable;
  if (file->Size() > kMaxFileSize) return {};
  const auto size = static_cast<std::size_t>(file->Size());
  // Read straight into one buffer of the file's size, in pieces so that a stop is noticed.
  fileBytes_ = std::make_unique_for_overwrite<std::uint8_t[]>(size);
  constexpr std::size_t kPiece = 1u << 20;
  for (std::size_t at = 0; at < size;) {
    if (stop_) return {};
    const std::size_t count = file->Read(fileBytes_.get() + at, std::min(kPiece, size - at));
    if (count == 0) return kUnreadable;
    at += count;
  }
  fileSize_ = size;
  file.reset();
  TByteSpanStream view(fileBytes_.get(), fileSize_);
  TPxDb reader(nullptr);
  if (!reader.LoadTable(&view)) {
    return std::string(" is damaged: ") + ReadStatusText(TReadStatus::rsTableError);
  }
  return DecodeAll(reader.records_);
}

std::string TPxDbPrefetch::DecodeAll(const std::vector<TRecordInfo>& records) {
  {
    std::lock_guard lock(mutex_);
    outcomes_.resize(records.size());
  }
  std::uint64_t kept = 0;
  std::string firstDamage;
  std::size_t damaged = 0;
  const auto noteDamage = [&](std::size_t index, TReadStatus status) {
    if (damaged++ > 0) return;
    firstDamage = " is damaged: record " + std::to_string(index) + " \"" +
                  EscapedForTerminal(records[index].Key) + "\": " + ReadStatusText(status);
  };
  for (std::size_t i = 0; i < records.size(); Settle(++i)) {
    if (stop_) return {};
    Outcome& outcome = outcomes_[i];
    outcome.record = records[i];
    const std::uint64_t storedAt = std::uint64_t{outcome.record.Offset} + kRecordHeaderSize;
    const std::uint32_t storedSize = outcome.record.PhysSize;
    if (storedAt > fileSize_ || fileSize_ - storedAt < storedSize) {
      noteDamage(i, TReadStatus::rsStoredBytesShort);
      continue;
    }
    if (kept + outcome.record.OrigSize > kMaxPrefetchedBytes) continue;
    outcome.storedAt = storedAt;
    outcome.status =
        DecodeRecord(fileBytes_.get() + storedAt, storedSize, outcome.record, outcome.data);
    if (outcome.status != TReadStatus::rsOk) noteDamage(i, outcome.status);
    kept += outcome.data.size();
    outcome.ready = true;
  }
  if (damaged > 1) {
    firstDamage += " (and " + std::to_string(damaged - 1) +
                   (damaged == 2 ? " more record)" : " more records)");
  }
  return firstDamage;
}

}  // namespace tvx
