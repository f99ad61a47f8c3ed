// The PxDb file layout, shared by the reader and the archive writer.
//
// A 12-byte file header (signature, record count, table offset), a record table of
// (key string, record offset) entries, and records that each start with a 44-byte header
// followed by PhysSize stored bytes: the record's data as one zlib stream. All integers are
// little-endian.
#pragma once

#include <array>
#include <cstdint>

#include "archive/StreamEx.h"

namespace tvx {

inline constexpr std::uint32_t kPxDbSignature = 0x62447850;  // "PxDb" read little-endian
inline constexpr std::uint32_t kPxDbHeaderSize = 12;
inline constexpr std::uint32_t kRecordHeaderSize = 44;
// The smallest table entry: a zero key length and the record offset.
inline constexpr std::uint32_t kMinTableEntrySize = 8;

struct TPxDbHeader {
  std::uint32_t Signature = kPxDbSignature;
  std::uint32_t RecordCount = 0;
  std::uint32_t TableOffset = kPxDbHeaderSize;
};

struct TRecordHeader {
  std::uint16_t RecordType = 0;
  std::uint32_t OrigSize = 0;
  std::uint32_t PhysSize = 0;
  double Stamp = 0.0;
  std::array<std::uint8_t, 16> Checksum{};
  std::uint16_t Enciphered = 0;
  std::array<std::uint8_t, 8> InitVector{};
};

bool ReadPxDbHeader(TStream& stream, TPxDbHeader& header);
bool WritePxDbHeader(TStream& stream, const TPxDbHeader& header);
bool ReadRecordHeader(TStream& stream, TRecordHeader& header);
bool WriteRecordHeader(TStream& stream, const TRecordHeader& header);

}  // namespace tvx
