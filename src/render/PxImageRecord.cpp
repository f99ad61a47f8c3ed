#include "render/PxImageRecord.h"

#include "archive/StreamEx.h"

namespace tvx {

bool ReadImageRecordHeader(TMemoryStream& stream, TImageRecordHeader& header) {
  if (stream.Remaining() < ImageRecordHeaderSize) return false;
  std::uint8_t formatByte = 0;
  stream.Read(&formatByte, 1);
  TMemoryStreamView view(stream);
  TImageRecordHeader read;
  for (std::int32_t* field :
       {&read.cellWidth, &read.cellHeight, &read.drawWidth, &read.drawHeight, &read.patternCount,
        &read.textureWidth, &read.textureHeight, &read.textureCount}) {
    ReadInt32(view, *field);
  }
  const std::optional<PixelFormat> format = PixelFormatFromByte(formatByte);
  if (!format) return false;
  read.storedFormat = *format;
  header = read;
  return true;
}

}  // namespace tvx
