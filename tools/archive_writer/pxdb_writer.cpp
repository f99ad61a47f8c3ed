#include "archive_writer/pxdb_writer.h"

#include <zlib.h>

#include <limits>

#include "archive/PxDbFormat.h"
#include "archive/RecordCodec.h"
#include "archive/StreamEx.h"

namespace tvx {

namespace {

std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<std::uint8_t> stored(size);
  if (compress2(stored.data(), &size, data.data(), static_cast<uLong>(data.size()), 9) != Z_OK) {
    return {};
  }
  stored.resize(size);
  return stored;
}

// Offsets and sizes are 32-bit in the format.
bool Fits32(std::uint64_t value) { return value <= std::numeric_limits<std::uint32_t>::max(); }

}  // namespace

void PxDbWriter::Add(std::string key, std::uint16_t recordType, std::vector<std::uint8_t> data) {
  records_.push_back({std::move(key), recordType, std::move(data)});
}

// Layout: header, then each record in order, then the table. The header is written last,
// once the table offset is known.
std::vector<std::uint8_t> PxDbWriter::ToBytes() const {
  TMemoryStream memory;
  TMemoryStreamView out(memory);
  TPxDbHeader fileHeader;
  fileHeader.RecordCount = static_cast<std::uint32_t>(records_.size());
  if (!Fits32(records_.size()) || !WritePxDbHeader(out, fileHeader)) return {};
  std::vector<std::uint32_t> offsets;
  offsets.reserve(records_.size());
  for (const Record& record : records_) {
    const std::vector<std::uint8_t> stored = Deflate(record.data);
    if (stored.empty() || !Fits32(record.data.size()) || !Fits32(out.Position())) return {};
    TRecordHeader header;
    header.RecordType = record.recordType;
    header.OrigSize = static_cast<std::uint32_t>(record.data.size());
    header.PhysSize = static_cast<std::uint32_t>(stored.size());
    header.Checksum = Md5Digest(record.data.data(), record.data.size());
    offsets.push_back(static_cast<std::uint32_t>(out.Position()));
    if (!WriteRecordHeader(out, header) || !WriteExact(out, stored.data(), stored.size())) {
      return {};
    }
  }
  if (!Fits32(out.Position())) return {};
  fileHeader.TableOffset = static_cast<std::uint32_t>(out.Position());
  for (std::size_t i = 0; i < records_.size(); ++i) {
    if (!WriteString(out, records_[i].key) || !WriteUInt32(out, offsets[i])) return {};
  }
  if (!out.Seek(0) || !WritePxDbHeader(out, fileHeader)) return {};
  return memory.Bytes();
}

bool PxDbWriter::WriteFile(const std::string& path, std::string& error) const {
  const std::vector<std::uint8_t> bytes = ToBytes();
  if (bytes.empty()) {
    error = "the records do not fit the archive format's 32-bit sizes and offsets";
    return false;
  }
  std::unique_ptr<TFileStream> file = TFileStream::Create(path);
  if (file == nullptr) {
    error = "cannot create " + path;
    return false;
  }
  const bool written = WriteExact(*file, bytes.data(), bytes.size());
  if (!file->Close() || !written) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace tvx
