#include "assetbuilder/image_asset.h"

#include <algorithm>
#include <cstring>

#include "render/PxImageRecord.h"

namespace tvx::assets {

TextureLayout LayoutFor(int drawWidth, int drawHeight, int patternCount) {
  TextureLayout layout;
  const int gutter = patternCount > 1 ? 1 : 0;
  layout.cellWidth = drawWidth + 2 * gutter;
  layout.cellHeight = drawHeight + 2 * gutter;
  const int count = std::max(patternCount, 1);
  layout.patternsPerRow = std::clamp(MaxTextureSize / layout.cellWidth, 1, count);
  const int rowsNeeded = (count + layout.patternsPerRow - 1) / layout.patternsPerRow;
  layout.patternsPerColumn = std::clamp(MaxTextureSize / layout.cellHeight, 1, rowsNeeded);
  layout.textureWidth = layout.patternsPerRow * layout.cellWidth;
  layout.textureHeight = layout.patternsPerColumn * layout.cellHeight;
  const int perTexture = layout.patternsPerRow * layout.patternsPerColumn;
  layout.textureCount = (count + perTexture - 1) / perTexture;
  return layout;
}

std::vector<std::uint8_t> EncodeImageRecord(const ImageAsset& image) {
  const int count = static_cast<int>(image.patterns.size());
  const TextureLayout layout = LayoutFor(image.drawWidth, image.drawHeight, count);
  const std::size_t rowBytes = static_cast<std::size_t>(layout.textureWidth) * 4;
  const std::size_t textureBytes = rowBytes * layout.textureHeight;

  std::vector<std::uint8_t> out;
  out.reserve(ImageRecordHeaderSize + textureBytes * layout.textureCount);
  WriteImageRecordHeader(
      {PixelFormat::pfA8R8G8B8, layout.cellWidth, layout.cellHeight, image.drawWidth,
       image.drawHeight, count, layout.textureWidth, layout.textureHeight, layout.textureCount},
      out);

  const std::size_t pixelsStart = out.size();
  out.resize(pixelsStart + textureBytes * layout.textureCount, 0);
  const int perTexture = layout.patternsPerRow * layout.patternsPerColumn;
  const int ox = (layout.cellWidth - image.drawWidth) / 2;
  const int oy = (layout.cellHeight - image.drawHeight) / 2;
  for (int p = 0; p < count; ++p) {
    const Pixmap& pattern = image.patterns[p];
    const int texture = p / perTexture, q = p % perTexture;
    const int left = (q % layout.patternsPerRow) * layout.cellWidth + ox;
    const int top = (q / layout.patternsPerRow) * layout.cellHeight + oy;
    std::uint8_t* base = &out[pixelsStart + textureBytes * texture];
    for (int y = 0; y < image.drawHeight; ++y) {
      std::memcpy(base + (top + y) * rowBytes + static_cast<std::size_t>(left) * 4,
                  pattern.Pixel(0, y), static_cast<std::size_t>(image.drawWidth) * 4);
    }
  }
  return out;
}

}  // namespace tvx::assets
