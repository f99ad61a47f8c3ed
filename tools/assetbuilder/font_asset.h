// FontAsset: a bitmap font baked from a DejaVu outline with FreeType, and its encoding as a
// font record.
//
// Every glyph shares one cell: the pen origin sits at a fixed place inside it (left padding
// that covers negative bearings and the outline, baseline at the tallest ascent), so a text
// placed by its top-left corner lines up on one baseline. Glyphs are white with an
// anti-aliased alpha edge over a baked dark outline and drop shadow; the game tints them.
// The font file is opened by path so the result does not depend on the machine's font set-up.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "assetbuilder/image_asset.h"

namespace tvx::assets {

constexpr int FontFirstChar = 32;
constexpr int FontLastChar = 126;

struct FontSpec {
  std::string key;
  std::string fontFile;  // full path of a TrueType file
  int pixelSize = 16;
  int outlineRadius = 1;
  int shadowX = 1, shadowY = 1;
  int glyphSpacing = 0;
  // The HUD bars are strings of "|": a narrower advance for that glyph keeps a full bar short.
  std::optional<int> barAdvance;
};

struct FontAsset {
  std::string key;
  int firstChar = FontFirstChar;
  int glyphSpacing = 0;
  std::vector<std::int32_t> advances;  // one per glyph, character order
  ImageAsset glyphs;                   // pattern k = character firstChar + k
};

// Empty optional when the font file cannot be read.
std::optional<FontAsset> BakeFont(const FontSpec& style);

std::vector<std::uint8_t> EncodeFontRecord(const FontAsset& font);

}  // namespace tvx::assets
