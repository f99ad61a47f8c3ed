// Helpers for archive tests: writing files, and a byte-level archive
// builder whose every field can be set to a lie, for inputs the writer would never produce.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/PxDbFormat.h"
#include "archive/RecordCodec.h"
#include "core/FileBytes.h"
#include "core/TempFolder.h"

namespace tvx::test {

using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(const std::string& text);
Bytes Compress(const Bytes& data);
// Throws when the file cannot be written.
void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);

// Appends little-endian fields and patches them later.
class ByteBuilder {
 public:
  ByteBuilder& U8(std::uint8_t value);
  ByteBuilder& U16(std::uint16_t value);
  ByteBuilder& U32(std::uint32_t value);
  ByteBuilder& F64(double value);
  ByteBuilder& Raw(const Bytes& bytes);
  ByteBuilder& String(const std::string& text);  // signed 32-bit length, then the bytes
  void PatchU32(std::size_t at, std::uint32_t value);
  std::size_t Size() const { return bytes_.size(); }
  const Bytes& Data() const { return bytes_; }

 private:
  Bytes bytes_;
};

// One record as it will be stored; MakeRecord fills it honestly, tests then falsify fields.
struct RawRecord {
  std::string key;
  std::uint16_t type = 0;
  std::uint32_t origSize = 0;
  std::uint32_t physSize = 0;
  TDigest checksum{};
  std::uint16_t enciphered = 0;
  Bytes stored;
};

RawRecord MakeRecord(const std::string& key, std::uint16_t type, const Bytes& data);

// Header, then the records, then the table; the offsets of the parts are reported back.
struct RawArchive {
  Bytes bytes;
  std::uint32_t tableOffset = 0;
  std::vector<std::uint32_t> recordOffsets;
};

RawArchive BuildArchive(const std::vector<RawRecord>& records,
                        std::uint32_t signature = kPxDbSignature);

}  // namespace tvx::test
