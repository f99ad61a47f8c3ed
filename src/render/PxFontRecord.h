// The head of a font record: first character code, a spacing added to every advance, a
// reserved word and the glyph count, 16 bytes little-endian, then one 8-byte entry per glyph
// (advance width and a reserved word), then the glyph picture as an image record. Reserved
// words are written and never read. The head is untrusted; ReadFontRecordHeader checks it is
// complete and that the glyph table it announces fits in the rest of the stream. The asset
// builder and the tests write records with WriteFontRecordHeader and WriteFontGlyphEntry.
#pragma once

#include <cstdint>
#include <vector>

#include "core/MemoryStream.h"

namespace tvx {

constexpr std::size_t FontRecordHeaderSize = 16;
constexpr std::size_t FontGlyphEntrySize = 8;

struct TFontRecordHeader {
  std::uint32_t firstChar = 32;
  std::int32_t glyphSpacing = 0;
  std::uint32_t reserved = 0;
  std::int32_t glyphCount = 0;
};

// Reads the head at the stream's position; false for a short head, a negative glyph count or
// a glyph table longer than the stream.
bool ReadFontRecordHeader(TMemoryStream& stream, TFontRecordHeader& header);
// Reads the advances of `count` glyph entries that ReadFontRecordHeader found in the stream.
std::vector<std::int32_t> ReadFontGlyphAdvances(TMemoryStream& stream, std::int32_t count);

// Append the bytes as the readers above read them.
void WriteFontRecordHeader(const TFontRecordHeader& header, std::vector<std::uint8_t>& out);
void WriteFontGlyphEntry(std::int32_t advance, std::vector<std::uint8_t>& out,
                         std::uint32_t reserved = 0);

}  // namespace tvx
