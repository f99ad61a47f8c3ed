#include "render/PxImageRecord.h"

#include "archive/StreamEx.h"
#include "core/LittleEndian.h"

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

void WriteImageRecordHeader(const TImageRecordHeader& header, std::vector<std::uint8_t>& out) {
  out.push_back(static_cast<std::uint8_t>(header.storedFormat));
  for (const std::int32_t field :
       {header.cellWidth, header.cellHeight, header.drawWidth, header.drawHeight,
        header.patternCount, header.textureWidth, header.textureHeight, header.textureCount}) {
    AppendLittleEndian(out, static_cast<std::uint32_t>(field));
  }
}

}  // namespace tvx
