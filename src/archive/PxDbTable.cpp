// Reading the record table and record headers, and writing the empty archive.
#include <memory>

#include "archive/PxDb.h"

namespace tvx {

namespace {

// Bounds the table's memory independently of the file size; no real archive comes close.
constexpr std::uint32_t kMaxRecordCount = 1u << 20;

}  // namespace

bool TPxDb::LoadTable(TStream* stream) {
  records_.clear();
  std::unique_ptr<TFileStream> ownFile;
  if (stream == nullptr) {
    ownFile = TFileStream::OpenRead(fileName_);
    if (ownFile == nullptr) return false;
    stream = ownFile.get();
  }
  // The signature is deliberately not checked: any file is read through its count and offset.
  if (!stream->Seek(0) || !ReadPxDbHeader(*stream, header_)) return false;
  if (!ReadTableEntries(*stream)) {
    records_.clear();
    return false;
  }
  return header_.RecordCount == 0 || ReadRecordHeaders(*stream);
}

bool TPxDb::ReadTableEntries(TStream& stream) {
  if (!stream.Seek(header_.TableOffset)) return false;
  // A count the rest of the file cannot hold is rejected before the table is sized for it.
  if (header_.RecordCount > kMaxRecordCount ||
      header_.RecordCount > stream.Remaining() / kMinTableEntrySize) {
    return false;
  }
  records_.resize(header_.RecordCount);
  for (TRecordInfo& record : records_) {
    if (!ReadString(stream, record.Key, stream.Remaining()) || !ReadUInt32(stream, record.Offset)) {
      return false;
    }
  }
  return true;
}

// On failure the entries whose headers were read keep them; the rest keep only key and offset.
bool TPxDb::ReadRecordHeaders(TStream& stream) {
  for (TRecordInfo& record : records_) {
    TRecordHeader header;
    if (!stream.Seek(record.Offset) || !ReadRecordHeader(stream, header)) return false;
    record.RecordType = header.RecordType;
    record.OrigSize = header.OrigSize;
    record.PhysSize = header.PhysSize;
    record.Stamp = header.Stamp;
    record.Checksum = header.Checksum;
    record.Enciphered = (header.Enciphered & 0xFF) != 0;
    record.InitVector = header.InitVector;
  }
  return true;
}

bool TPxDb::CreateEmpty() {
  header_ = TPxDbHeader{};
  std::unique_ptr<TFileStream> file = TFileStream::Create(fileName_);
  if (file == nullptr) return false;
  const bool written = WritePxDbHeader(*file, header_);
  const bool closed = file->Close();
  records_.clear();
  return written && closed;
}

}  // namespace tvx
