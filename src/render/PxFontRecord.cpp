#include "render/PxFontRecord.h"

#include "archive/StreamEx.h"
#include "core/LittleEndian.h"

namespace tvx {

bool ReadFontRecordHeader(TMemoryStream& stream, TFontRecordHeader& header) {
  TMemoryStreamView view(stream);
  TFontRecordHeader read;
  if (!ReadUInt32(view, read.firstChar) || !ReadInt32(view, read.glyphSpacing) ||
      !ReadUInt32(view, read.reserved) || !ReadInt32(view, read.glyphCount)) {
    return false;
  }
  // The count is untrusted: the table must be there before anything is sized for it.
  if (read.glyphCount < 0 ||
      static_cast<std::size_t>(read.glyphCount) > stream.Remaining() / FontGlyphEntrySize) {
    return false;
  }
  header = read;
  return true;
}

std::vector<std::int32_t> ReadFontGlyphAdvances(TMemoryStream& stream, std::int32_t count) {
  TMemoryStreamView view(stream);
  std::vector<std::int32_t> advances(static_cast<std::size_t>(count));
  std::uint32_t reserved = 0;
  for (std::int32_t& advance : advances) {
    ReadInt32(view, advance);
    ReadUInt32(view, reserved);
  }
  return advances;
}

void WriteFontRecordHeader(const TFontRecordHeader& header, std::vector<std::uint8_t>& out) {
  AppendLittleEndian(out, header.firstChar);
  AppendLittleEndian(out, static_cast<std::uint32_t>(header.glyphSpacing));
  AppendLittleEndian(out, header.reserved);
  AppendLittleEndian(out, static_cast<std::uint32_t>(header.glyphCount));
}

void WriteFontGlyphEntry(std::int32_t advance, std::vector<std::uint8_t>& out,
                         std::uint32_t reserved) {
  AppendLittleEndian(out, static_cast<std::uint32_t>(advance));
  AppendLittleEndian(out, reserved);
}

}  // namespace tvx
