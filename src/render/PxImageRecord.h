// The header of an image record: stored pixel format, cell, draw and texture sizes, pattern
// and texture counts, 33 bytes little-endian, followed by the pixel rows of every texture
// (top row first, no padding). The header is untrusted; ReadImageRecordHeader only checks
// that it is complete and that its format byte names a known format. The asset builder and
// the tests write headers with WriteImageRecordHeader.
#pragma once

#include <cstdint>
#include <vector>

#include "archive/RecordTypes.h"
#include "core/MemoryStream.h"
#include "render/PxPixelFormats.h"

namespace tvx {

constexpr std::size_t ImageRecordHeaderSize = 33;

struct TImageRecordHeader {
  PixelFormat storedFormat = PixelFormat::pfA8R8G8B8;
  std::int32_t cellWidth = 0, cellHeight = 0;
  std::int32_t drawWidth = 0, drawHeight = 0;
  std::int32_t patternCount = 0;
  std::int32_t textureWidth = 0, textureHeight = 0;
  std::int32_t textureCount = 0;
};

// Reads the header at the stream's position; false for a short header or an unknown format.
bool ReadImageRecordHeader(TMemoryStream& stream, TImageRecordHeader& header);
// Appends the header's bytes as ReadImageRecordHeader reads them.
void WriteImageRecordHeader(const TImageRecordHeader& header, std::vector<std::uint8_t>& out);

}  // namespace tvx
