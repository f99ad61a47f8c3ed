// TPxFont: loading a font record (the glyph advances and the glyph picture).
#include "render/PxFont.h"

#include <string>
#include <utility>
#include <vector>

#include "archive/PxDb.h"
#include "archive/RecordTypes.h"
#include "archive/StreamEx.h"

namespace tvx {

namespace {

constexpr std::size_t kGlyphEntryBytes = 8;

}  // namespace

TPxFont::TPxFont(TPxDevice* device, TPxFonts* owner) : device_(device), owner_(owner) {}

bool TPxFont::LoadFontRecord(const std::string& key, TPxDb& archive, TPxQuality quality,
                             TAlphaLevel alphaLevel) {
  if (loaded_) return false;
  if (!archive.EnsureOpen()) return false;
  const int index = archive.FindRecord(key);
  if (index < 0 || archive.RecordType(index) != FontRecordType) return false;
  TMemoryStream stream;
  if (!archive.ReadStream(key, stream)) return false;
  stream.Seek(0);

  TMemoryStreamView view(stream);
  std::uint32_t firstChar = 0, unused = 0;
  std::int32_t glyphSpacing = 0, glyphCount = 0;
  if (!ReadUInt32(view, firstChar) || !ReadInt32(view, glyphSpacing) || !ReadUInt32(view, unused) ||
      !ReadInt32(view, glyphCount)) {
    return false;
  }
  // The count is untrusted: the table must be there before anything is sized for it.
  if (glyphCount < 0 ||
      static_cast<std::size_t>(glyphCount) > stream.Remaining() / kGlyphEntryBytes) {
    return false;
  }
  std::vector<std::int32_t> glyphs(static_cast<std::size_t>(glyphCount));
  for (std::int32_t& advance : glyphs) {
    ReadInt32(view, advance);
    ReadUInt32(view, unused);
  }

  auto image = std::make_unique<TPxImage>(device_);
  image->SetQuality(quality);
  image->SetAlphaLevel(alphaLevel);
  if (!image->LoadFromStream(stream)) return false;

  firstChar_ = static_cast<std::uint8_t>(firstChar & 0xFF);
  glyphSpacing_ = glyphSpacing;
  glyphs_ = std::move(glyphs);
  image_ = std::move(image);
  loaded_ = true;
  return true;
}

}  // namespace tvx
