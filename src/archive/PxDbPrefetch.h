// Record reads worked out ahead, on a thread of its own: the file is read once, whole, and
// closed, its table read as the archive reads it, and every record's stored bytes inflated
// and checked where they lie in that copy, which is kept to compare them with later. A later read
// still reads the table and the stored bytes from the file itself; it takes a prefetched outcome
// only when the record's sizes, digest and stored bytes are exactly the ones that outcome came
// from, since inflating and checking depend on nothing else. Files and totals past the limits below
// are left to the ordinary reads. What it finds wrong with a file it has read whole is told
// to the report it was given, once.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "archive/PxDb.h"
#include "archive/StreamEx.h"

namespace tvx {

// One record's read as the archive does it: the stored bytes, then inflate and digest.
bool ReadStoredBytes(TStream& file, const TRecordInfo& record, std::vector<std::uint8_t>& stored);
TReadStatus DecodeRecord(const std::uint8_t* stored, std::size_t storedSize,
                         const TRecordInfo& record, std::vector<std::uint8_t>& data);

class TPxDbPrefetch {
 public:
  static constexpr std::uint64_t kMaxFileSize = 256u << 20;
  static constexpr std::uint64_t kMaxPrefetchedBytes = 256u << 20;

  TPxDbPrefetch(std::string path, TDamageReport onDamage);
  ~TPxDbPrefetch();  // stops the thread after the record it is on
  TPxDbPrefetch(const TPxDbPrefetch&) = delete;
  TPxDbPrefetch& operator=(const TPxDbPrefetch&) = delete;

  // Waits until the thread is past the record at `index`, then hands over the outcome of
  // decoding it if it was prefetched from the same sizes and digest and the file still holds
  // the same stored bytes after the record header; once per record. `file` is left anywhere.
  // A `stored` vector receives a copy of those stored bytes.
  bool TakeDecoded(int index, const TRecordInfo& record, TStream& file, TReadStatus& status,
                   std::vector<std::uint8_t>& data, std::vector<std::uint8_t>* stored);

 private:
  struct Outcome {
    bool ready = false;
    TRecordInfo record;
    std::uint64_t storedAt = 0;  // where the stored bytes begin in fileBytes_
    TReadStatus status = TReadStatus::rsOk;
    std::vector<std::uint8_t> data;
  };

  void Run(const std::string& path, const TDamageReport& onDamage);
  // What is wrong with the file, or empty when nothing is or the reading stopped short.
  std::string ReadAndDecode(const std::string& path);
  std::string DecodeAll(const std::vector<TRecordInfo>& records);
  void Settle(std::size_t settled);
  static bool SameStoredBytes(TStream& file, const TRecordInfo& record, const std::uint8_t* stored);

  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable progress_;
  // Outcomes below `settled_` are the reader's; the rest the worker's until it has finished.
  std::vector<Outcome> outcomes_;
  // The whole file as the worker read it; left uninitialised before the read fills it.
  std::unique_ptr<std::uint8_t[]> fileBytes_;
  std::size_t fileSize_ = 0;
  std::size_t settled_ = 0;
  bool finished_ = false;
  std::thread worker_;
};

}  // namespace tvx
