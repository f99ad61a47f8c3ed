// ImageAsset: one picture of the archive (a key and its patterns, all of one drawn size) and
// its encoding as an image record.
//
// Record layout: the image record header of render/PxImageRecord.h and then every texture's
// rows. Patterns are laid out row by
// row in a grid of equal cells; a picture with several patterns gets a one-pixel transparent
// gutter around each drawn part, so that scaled or filtered draws never pick up a neighbour.
// A grid larger than MaxTextureSize continues on further textures of the same size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assetbuilder/pixmap.h"

namespace tvx::assets {

constexpr int MaxTextureSize = 2048;

struct ImageAsset {
  std::string key;
  int drawWidth = 0;
  int drawHeight = 0;
  std::vector<Pixmap> patterns;  // each drawWidth x drawHeight
};

struct TextureLayout {
  int cellWidth = 0, cellHeight = 0;
  int patternsPerRow = 0, patternsPerColumn = 0;
  int textureWidth = 0, textureHeight = 0, textureCount = 0;
};

TextureLayout LayoutFor(int drawWidth, int drawHeight, int patternCount);

// The record bytes (header and rows) in A8R8G8B8.
std::vector<std::uint8_t> EncodeImageRecord(const ImageAsset& image);

}  // namespace tvx::assets
