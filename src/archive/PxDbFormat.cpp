#include "archive/PxDbFormat.h"

namespace tvx {

bool ReadPxDbHeader(TStream& stream, TPxDbHeader& header) {
  TPxDbHeader read;
  if (!ReadUInt32(stream, read.Signature) || !ReadUInt32(stream, read.RecordCount) ||
      !ReadUInt32(stream, read.TableOffset))
    return false;
  header = read;
  return true;
}

bool WritePxDbHeader(TStream& stream, const TPxDbHeader& header) {
  return WriteUInt32(stream, header.Signature) && WriteUInt32(stream, header.RecordCount) &&
         WriteUInt32(stream, header.TableOffset);
}

bool ReadRecordHeader(TStream& stream, TRecordHeader& header) {
  return ReadUInt16(stream, header.RecordType) && ReadUInt32(stream, header.OrigSize) &&
         ReadUInt32(stream, header.PhysSize) && ReadDouble(stream, header.Stamp) &&
         ReadExact(stream, header.Checksum.data(), header.Checksum.size()) &&
         ReadUInt16(stream, header.Enciphered) &&
         ReadExact(stream, header.InitVector.data(), header.InitVector.size());
}

bool WriteRecordHeader(TStream& stream, const TRecordHeader& header) {
  return WriteUInt16(stream, header.RecordType) && WriteUInt32(stream, header.OrigSize) &&
         WriteUInt32(stream, header.PhysSize) && WriteDouble(stream, header.Stamp) &&
         WriteExact(stream, header.Checksum.data(), header.Checksum.size()) &&
         WriteUInt16(stream, header.Enciphered) &&
         WriteExact(stream, header.InitVector.data(), header.InitVector.size());
}

}  // namespace tvx
