#include "archive_test_util.h"

#include <zlib.h>

#include <cstring>
#include <stdexcept>

namespace tvx::test {

Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes Compress(const Bytes& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  Bytes out(size);
  if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), 9) != Z_OK) {
    throw std::runtime_error("compress2 failed");
  }
  out.resize(size);
  return out;
}

void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::string error;
  if (!tvx::WriteFileBytes(path, bytes.data(), bytes.size(), error)) {
    throw std::runtime_error(error);
  }
}

ByteBuilder& ByteBuilder::U8(std::uint8_t value) {
  bytes_.push_back(value);
  return *this;
}

ByteBuilder& ByteBuilder::U16(std::uint16_t value) {
  return U8(static_cast<std::uint8_t>(value)).U8(static_cast<std::uint8_t>(value >> 8));
}

ByteBuilder& ByteBuilder::U32(std::uint32_t value) {
  return U16(static_cast<std::uint16_t>(value)).U16(static_cast<std::uint16_t>(value >> 16));
}

ByteBuilder& ByteBuilder::F64(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return U32(static_cast<std::uint32_t>(bits)).U32(static_cast<std::uint32_t>(bits >> 32));
}

ByteBuilder& ByteBuilder::Raw(const Bytes& bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

ByteBuilder& ByteBuilder::String(const std::string& text) {
  U32(static_cast<std::uint32_t>(text.size()));
  return Raw(ToBytes(text));
}

void ByteBuilder::PatchU32(std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes_.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

RawRecord MakeRecord(const std::string& key, std::uint16_t type, const Bytes& data) {
  RawRecord record;
  record.key = key;
  record.type = type;
  record.stored = Compress(data);
  record.origSize = static_cast<std::uint32_t>(data.size());
  record.physSize = static_cast<std::uint32_t>(record.stored.size());
  record.checksum = Md5Digest(data.data(), data.size());
  return record;
}

RawArchive BuildArchive(const std::vector<RawRecord>& records, std::uint32_t signature) {
  ByteBuilder out;
  out.U32(signature).U32(static_cast<std::uint32_t>(records.size())).U32(0);
  RawArchive archive;
  for (const RawRecord& record : records) {
    archive.recordOffsets.push_back(static_cast<std::uint32_t>(out.Size()));
    out.U16(record.type).U32(record.origSize).U32(record.physSize).F64(0.0);
    out.Raw(Bytes(record.checksum.begin(), record.checksum.end()));
    out.U16(record.enciphered).Raw(Bytes(8, 0)).Raw(record.stored);
  }
  archive.tableOffset = static_cast<std::uint32_t>(out.Size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    out.String(records[i].key).U32(archive.recordOffsets[i]);
  }
  out.PatchU32(8, archive.tableOffset);
  archive.bytes = out.Data();
  return archive;
}

}  // namespace tvx::test
