// TPxFont: loading a font record (the glyph advances and the glyph picture).
#include "render/PxFont.h"

#include <string>
#include <utility>
#include <vector>

#include "archive/PxDb.h"
#include "archive/RecordTypes.h"
#include "render/PxDbRecordWalk.h"
#include "render/PxFontRecord.h"

namespace tvx {

TPxFont::TPxFont(TPxDevice* device, TPxFonts* owner) : device_(device), owner_(owner) {}

bool TPxFont::LoadFontRecord(const std::string& key, TPxDb& archive, TPxQuality quality,
                             TAlphaLevel alphaLevel) {
  if (loaded_) return false;
  TMemoryStream stream;
  TStoredRecord stored;
  if (!ReadRecordOfType(archive, key, FontRecordType, stream, stored)) return false;

  TFontRecordHeader header;
  if (!ReadFontRecordHeader(stream, header)) return false;
  std::vector<std::int32_t> glyphs = ReadFontGlyphAdvances(stream, header.glyphCount);

  auto image = std::make_unique<TPxImage>(device_);
  image->SetQuality(quality);
  image->SetAlphaLevel(alphaLevel);
  if (!image->LoadFromStream(std::move(stream), std::move(stored))) return false;

  firstChar_ = static_cast<std::uint8_t>(header.firstChar & 0xFF);
  glyphSpacing_ = header.glyphSpacing;
  glyphs_ = std::move(glyphs);
  image_ = std::move(image);
  loaded_ = true;
  return true;
}

}  // namespace tvx
