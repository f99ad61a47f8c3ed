#include "render/PxPictureDecode.h"

#include <algorithm>

#include "archive/PxDb.h"
#include "archive/RecordTypes.h"
#include "render/PxFontRecord.h"
#include "render/PxImage.h"
#include "render/PxImageRecord.h"
#include "render/PxPixelFormats.h"

namespace tvx {

namespace {

bool ReadRecord(TPxDb& archive, int index, std::uint16_t type, TMemoryStream& stream) {
  if (index < 0 || archive.RecordType(index) != type) return false;
  if (!archive.ReadStreamAt(index, stream)) return false;
  stream.Seek(0);
  return true;
}

}  // namespace

std::optional<TDecodedPicture> DecodePictureRecord(TMemoryStream& stream) {
  TImageRecordHeader h;
  if (!ReadImageRecordHeader(stream, h)) return std::nullopt;
  const std::int32_t width = h.textureWidth, height = h.textureHeight;
  if (width < 1 || height < 1 || width > TPxImage::MaxTextureSize ||
      height > TPxImage::MaxTextureSize || h.textureCount < 1) {
    return std::nullopt;
  }
  // Missing sizes mean the texture's, as for the game's images.
  const std::int32_t cellW = h.cellWidth >= 1 ? h.cellWidth : width;
  const std::int32_t cellH = h.cellHeight >= 1 ? h.cellHeight : height;
  const std::int32_t drawW = h.drawWidth >= 1 ? h.drawWidth : width;
  const std::int32_t drawH = h.drawHeight >= 1 ? h.drawHeight : height;
  if (cellW > width || cellH > height || drawW > cellW || drawH > cellH) return std::nullopt;
  const std::size_t pixelBytes = BytesPerPixel(h.storedFormat);
  const std::uint64_t textureBytes = std::uint64_t{pixelBytes} * static_cast<std::uint64_t>(width) *
                                     static_cast<std::uint64_t>(height);
  if (static_cast<std::uint64_t>(h.textureCount) > stream.Remaining() / textureBytes)
    return std::nullopt;

  const std::int32_t perRow = width / cellW, perTexture = perRow * (height / cellH);
  const std::int64_t all = std::int64_t{perTexture} * h.textureCount;
  const std::int64_t announced =
      h.patternCount >= 1 ? std::min<std::int64_t>(h.patternCount, all) : all;
  const auto count =
      static_cast<std::int32_t>(std::min<std::int64_t>(announced, kMaxDecodedPatterns));
  TDecodedPicture picture;
  picture.width = drawW;
  picture.height = drawH;
  picture.patterns.assign(static_cast<std::size_t>(count),
                          std::vector<std::uint32_t>(static_cast<std::size_t>(drawW) * drawH));
  std::vector<std::uint8_t> stored(static_cast<std::size_t>(width) * pixelBytes);
  std::vector<std::uint32_t> row(static_cast<std::size_t>(width));
  for (std::int32_t texture = 0; texture < h.textureCount; ++texture) {
    for (std::int32_t y = 0; y < height; ++y) {
      if (!stream.ReadExact(stored.data(), stored.size())) return std::nullopt;
      DecodeRow(h.storedFormat, stored.data(), row.data(), row.size());
      const std::int32_t cellRow = y / cellH, inCell = y % cellH - (cellH - drawH) / 2;
      if (inCell < 0 || inCell >= drawH) continue;
      for (std::int32_t column = 0; column < perRow; ++column) {
        const std::int64_t pattern = std::int64_t{texture} * perTexture + cellRow * perRow + column;
        if (cellRow >= height / cellH || pattern >= count) break;
        const auto from = row.begin() + column * cellW + (cellW - drawW) / 2;
        std::copy(from, from + drawW,
                  picture.patterns[static_cast<std::size_t>(pattern)].begin() + inCell * drawW);
      }
    }
  }
  return picture;
}

std::optional<TDecodedFont> DecodeFontRecord(TMemoryStream& stream) {
  TFontRecordHeader header;
  if (!ReadFontRecordHeader(stream, header)) return std::nullopt;
  TDecodedFont font;
  font.firstChar = static_cast<std::uint8_t>(header.firstChar & 0xFF);
  font.glyphSpacing = header.glyphSpacing;
  font.advances = ReadFontGlyphAdvances(stream, header.glyphCount);
  std::optional<TDecodedPicture> glyphs = DecodePictureRecord(stream);
  if (!glyphs) return std::nullopt;
  font.glyphs = std::move(*glyphs);
  return font;
}

std::optional<TDecodedPicture> DecodeArchivePicture(TPxDb& archive, const std::string& key) {
  TMemoryStream stream;
  if (!archive.EnsureOpen() ||
      !ReadRecord(archive, archive.FindRecord(key), ImageRecordType, stream))
    return std::nullopt;
  return DecodePictureRecord(stream);
}

std::optional<TDecodedFont> DecodeArchiveFont(TPxDb& archive, int index) {
  if (!archive.EnsureOpen()) return std::nullopt;
  for (int i = 0; i < archive.RecordCount(); ++i) {
    if (archive.RecordType(i) != FontRecordType || index-- > 0) continue;
    TMemoryStream stream;
    if (!ReadRecord(archive, i, FontRecordType, stream)) return std::nullopt;
    return DecodeFontRecord(stream);
  }
  return std::nullopt;
}

}  // namespace tvx
