// Pictures of image and font records decoded to 32-bit pixels without a device, for what is
// drawn before the game's device exists (the launcher). The records are untrusted: a decode
// takes the loaders' checks (a complete header, textures within TPxImage::MaxTextureSize, the
// cell inside the texture and the drawn part inside the cell, every row present) and gives
// nothing when one fails.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/MemoryStream.h"

namespace tvx {

class TPxDb;

// Patterns beyond these are not decoded: more than a font's 256 character codes can reach.
constexpr std::int32_t kMaxDecodedPatterns = 256;

struct TDecodedPicture {
  std::int32_t width = 0, height = 0;                // one pattern's drawn part
  std::vector<std::vector<std::uint32_t>> patterns;  // 0xAARRGGBB rows, top row first
};

struct TDecodedFont {
  std::uint8_t firstChar = 32;
  std::int32_t glyphSpacing = 0;
  std::vector<std::int32_t> advances;
  TDecodedPicture glyphs;  // pattern k is the glyph of character firstChar + k
};

std::optional<TDecodedPicture> DecodePictureRecord(TMemoryStream& stream);
std::optional<TDecodedFont> DecodeFontRecord(TMemoryStream& stream);

// The image record with that key; the font record that is the `index`-th font in table
// order, as the game's font list numbers them.
std::optional<TDecodedPicture> DecodeArchivePicture(TPxDb& archive, const std::string& key);
std::optional<TDecodedFont> DecodeArchiveFont(TPxDb& archive, int index);

}  // namespace tvx
