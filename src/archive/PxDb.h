// TPxDb: the reader of the game's resource archive.
//
// The component knows a file name and an open mode. `Open` reads the record table and every
// record header into memory (or, for a missing file in opUpdate and always in opOverwrite,
// writes a new empty 12-byte archive). No file handle is kept: every record read opens the
// file again, reloads the whole table and all headers from it, finds the key, reads the
// stored bytes, inflates them to exactly OrigSize bytes and accepts them only if their MD5
// digest matches. Failures are reported as false, 0, -1 or "[invalid-record-#]", never by an
// exception; every count, length, offset and size in the file is treated as untrusted and
// bounded by what the file can hold before anything is allocated for it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/PxDbFormat.h"
#include "archive/RecordCodec.h"
#include "core/Component.h"
#include "core/MemoryStream.h"

namespace tvx {

enum class TOpenModes { opUpdate, opOverwrite, opReadOnly };

struct TRecordInfo {
  std::string Key;
  std::uint32_t Offset = 0;
  std::int32_t RecordType = 0;
  std::uint32_t OrigSize = 0;
  std::uint32_t PhysSize = 0;
  double Stamp = 0.0;
  std::array<std::uint8_t, 16> Checksum{};
  bool Enciphered = false;
  std::array<std::uint8_t, 8> InitVector{};
};

// Why the last record read failed; lets tools and tests tell the causes apart.
enum class TReadStatus {
  rsOk,
  rsFileError,    // the file could not be opened
  rsTableError,   // the table or a record header could not be read
  rsKeyNotFound,  // no such key (or index)
  rsStoredBytesShort,
  rsTooLarge,      // OrigSize beyond what the stored bytes or the size limit allow
  rsInflateError,  // not a complete zlib stream, or not exactly OrigSize bytes (or none)
  rsDigestMismatch,
  rsWriteError,  // the target stream took fewer bytes than inflated
};

// The cause in words, for messages: "MD5 digest mismatch", ...
const char* ReadStatusText(TReadStatus status);

// Told what a prefetch found wrong with the file, in one line naming it; on the prefetch's
// own thread.
using TDamageReport = std::function<void(const std::string& damage)>;

class TPxDbPrefetch;

class TPxDb : public TComponent {
 public:
  // No record's uncompressed data may exceed this, whatever its header claims.
  static constexpr std::uint32_t kMaxOrigSize = 256u << 20;

  explicit TPxDb(TComponent* owner);
  ~TPxDb() override;

  void SetFileName(const std::string& path);  // clears Loaded
  const std::string& FileName() const { return fileName_; }
  TOpenModes OpenMode = TOpenModes::opUpdate;
  bool Loaded() const { return loaded_; }

  bool EnsureOpen();
  bool Open();

  int RecordCount() const;
  int RecordType(int index) const;               // 0 outside 0..count-1
  std::string RecordKey(int index) const;        // "[invalid-record-#]" outside
  int FindRecord(const std::string& key) const;  // ASCII A-Z folded, -1 if none
  // Appends the record's uncompressed bytes at the stream's position; on failure the stream
  // is left untouched.
  bool ReadStream(const std::string& key, TMemoryStream& stream);
  // The same read, also handing over the record's stored bytes (see TStoredRecordReader).
  bool ReadStream(const std::string& key, TMemoryStream& stream, TStoredRecord& stored);

  // Additions for tools: the table entry (nullptr outside 0..count-1; valid until the next
  // Open or read, which reload the table), the header copy, a read by table index (reaches
  // entries shadowed by an earlier equal key), and the cause of the last read's failure.
  const TRecordInfo* RecordInfo(int index) const;
  const TPxDbHeader& Header() const { return header_; }
  bool ReadStreamAt(int index, TMemoryStream& stream);
  TReadStatus LastReadStatus() const { return lastReadStatus_; }

  // Starts reading, inflating and checking every record of the file on a thread of its own,
  // so that the reads that follow find most of the work done. It changes no answer: each read
  // still reloads the table and reads the stored bytes from the file, and takes a prefetched
  // outcome only for exactly the same stored bytes and header, once. A file that cannot be
  // read, or whose table or records are damaged, is told to `onDamage` once it is read whole.
  void Prefetch(TDamageReport onDamage = {});
  // Forgets whatever was prefetched and not read (stopping the thread if it still runs).
  void DropPrefetch();

 private:
  bool LoadTable(TStream* stream);
  bool ReadTableEntries(TStream& stream);
  bool ReadRecordHeaders(TStream& stream);
  bool CreateEmpty();
  // Reloads the table from a freshly opened file and picks the entry to read.
  template <class Select>
  bool ReadRecord(Select select, TMemoryStream& stream, TStoredRecord* keepStored);

  friend class TPxDbPrefetch;  // reads its copy of the file with this class's table reader

  std::string fileName_;
  bool loaded_ = false;
  std::unique_ptr<TPxDbPrefetch> prefetch_;
  TPxDbHeader header_;
  std::vector<TRecordInfo> records_;
  TReadStatus lastReadStatus_ = TReadStatus::rsOk;
};

}  // namespace tvx
