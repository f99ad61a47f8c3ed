// Fuzz target for the archive reader: the input becomes an archive file, which is opened
// read-only and whose every record is read, by index and by key (with its case changed).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "archive/PxDb.h"

namespace {

// Every read reloads the whole table, so the reads per input are capped to keep runs fast.
constexpr int kMaxReadsPerInput = 64;

// One scratch file per process, removed after each input since libFuzzer exits without
// running destructors. Memory-backed where possible: rewriting a file on ext4 forces its
// blocks to disk on close, which would make runs crawl.
const std::string& ScratchPath() {
  static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                  "/tvx_pxdb_fuzz_" + std::to_string(getpid());
  return path;
}

std::string SwapAsciiCase(std::string key) {
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    } else if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return key;
}

void ReadEveryRecord(const std::string& path) {
  tvx::TPxDb db(nullptr);
  db.SetFileName(path);
  db.OpenMode = tvx::TOpenModes::opReadOnly;
  if (!db.EnsureOpen()) return;
  const int count = db.RecordCount();
  for (int index = 0; index < count && index < kMaxReadsPerInput; ++index) {
    tvx::TMemoryStream stream;
    stream.Write("x", 1);
    const bool read = db.ReadStreamAt(index, stream);
    // A refused read leaves the stream as it was; a read yields OrigSize bytes after it.
    if (!read && stream.Size() != 1) std::abort();
    const tvx::TRecordInfo* record = db.RecordInfo(index);
    if (read && (record == nullptr || stream.Size() != 1 + std::size_t{record->OrigSize})) {
      std::abort();
    }
    const std::string key = SwapAsciiCase(db.RecordKey(index));
    tvx::TMemoryStream byKey;
    if (db.ReadStream(key, byKey) && db.FindRecord(key) < 0) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
  if (file == nullptr) return 0;
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) == 0 && written) ReadEveryRecord(ScratchPath());
  std::remove(ScratchPath().c_str());
  return 0;
}
