// Builds the bytes of image and font records for tests: an image record header with the
// chosen format and sizes followed by pixel rows (given, filled with one value, or zeros),
// and a font record around a picture. Any field can be set to a value a real record would
// never hold, so tests can feed loaders bad headers as well as good ones.
#pragma once

#include <cstdint>
#include <vector>

#include "core/LittleEndian.h"
#include "render/PxFontRecord.h"
#include "render/PxImageRecord.h"
#include "render/PxPixelFormats.h"

namespace tvx::testing {

using tvx::AppendLittleEndian;

class ImageRecordBuilder {
 public:
  ImageRecordBuilder& Format(PixelFormat format) {
    return FormatByte(static_cast<std::uint8_t>(format));
  }
  ImageRecordBuilder& FormatByte(std::uint8_t value) {
    formatByte_ = value;
    return *this;
  }
  ImageRecordBuilder& Cell(std::int32_t width, std::int32_t height) {
    cellWidth_ = width;
    cellHeight_ = height;
    return *this;
  }
  ImageRecordBuilder& Draw(std::int32_t width, std::int32_t height) {
    drawWidth_ = width;
    drawHeight_ = height;
    return *this;
  }
  ImageRecordBuilder& Patterns(std::int32_t count) {
    patternCount_ = count;
    return *this;
  }
  ImageRecordBuilder& Texture(std::int32_t width, std::int32_t height, std::int32_t count = 1) {
    textureWidth_ = width;
    textureHeight_ = height;
    textureCount_ = count;
    return *this;
  }
  // The pixel bytes as stored; without them the rows are zeros of the full size.
  ImageRecordBuilder& Pixels(std::vector<std::uint8_t> bytes) {
    pixels_ = std::move(bytes);
    explicitPixels_ = true;
    return *this;
  }
  // Every pixel of every texture holds `value` in the stored format.
  ImageRecordBuilder& FillPixels(std::uint32_t value) {
    std::vector<std::uint8_t> bytes;
    const std::size_t pixels = PixelTotal();
    for (std::size_t i = 0; i < pixels; ++i) AppendLittleEndian(bytes, value, StoredBytes());
    return Pixels(std::move(bytes));
  }
  // Drops the last `count` bytes of the record.
  ImageRecordBuilder& Truncate(std::size_t count) {
    truncate_ = count;
    return *this;
  }

  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> bytes;
    WriteImageRecordHeader(
        {PixelFormat::pfA8R8G8B8, cellWidth_, cellHeight_, drawWidth_, drawHeight_, patternCount_,
         textureWidth_, textureHeight_, textureCount_},
        bytes);
    bytes[0] = formatByte_;  // may name no format at all
    if (explicitPixels_) {
      bytes.insert(bytes.end(), pixels_.begin(), pixels_.end());
    } else {
      bytes.resize(bytes.size() + PixelTotal() * StoredBytes(), 0);
    }
    bytes.resize(truncate_ < bytes.size() ? bytes.size() - truncate_ : 0);
    return bytes;
  }

 private:
  std::size_t StoredBytes() const {
    return formatByte_ < PixelFormatCount ? BytesPerPixel(static_cast<PixelFormat>(formatByte_))
                                          : 1;
  }
  std::size_t PixelTotal() const {
    if (textureWidth_ < 1 || textureHeight_ < 1 || textureCount_ < 1) return 0;
    return static_cast<std::size_t>(textureWidth_) * static_cast<std::size_t>(textureHeight_) *
           static_cast<std::size_t>(textureCount_);
  }

  std::uint8_t formatByte_ = static_cast<std::uint8_t>(PixelFormat::pfA8R8G8B8);
  std::int32_t cellWidth_ = 0, cellHeight_ = 0;
  std::int32_t drawWidth_ = 0, drawHeight_ = 0;
  std::int32_t patternCount_ = 0;
  std::int32_t textureWidth_ = 16, textureHeight_ = 16, textureCount_ = 1;
  std::vector<std::uint8_t> pixels_;
  bool explicitPixels_ = false;
  std::size_t truncate_ = 0;
};

class FontRecordBuilder {
 public:
  FontRecordBuilder& FirstChar(std::uint32_t value) {
    firstChar_ = value;
    return *this;
  }
  FontRecordBuilder& GlyphSpacing(std::int32_t value) {
    glyphSpacing_ = value;
    return *this;
  }
  // One entry per glyph; the glyph count written is their number unless overridden.
  FontRecordBuilder& Advances(std::vector<std::int32_t> advances) {
    advances_ = std::move(advances);
    return *this;
  }
  FontRecordBuilder& GlyphCountField(std::int32_t value) {
    glyphCount_ = value;
    overrideCount_ = true;
    return *this;
  }
  FontRecordBuilder& Picture(std::vector<std::uint8_t> imageRecord) {
    picture_ = std::move(imageRecord);
    return *this;
  }

  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> bytes;
    const auto count = overrideCount_ ? glyphCount_ : static_cast<std::int32_t>(advances_.size());
    // Reserved words hold junk so that a loader reading them would show.
    WriteFontRecordHeader({firstChar_, glyphSpacing_, 0xDEADBEEF, count}, bytes);
    for (const std::int32_t advance : advances_) WriteFontGlyphEntry(advance, bytes, 0x01020304);
    bytes.insert(bytes.end(), picture_.begin(), picture_.end());
    return bytes;
  }

 private:
  std::uint32_t firstChar_ = 32;
  std::int32_t glyphSpacing_ = 0;
  std::vector<std::int32_t> advances_;
  std::int32_t glyphCount_ = 0;
  bool overrideCount_ = false;
  std::vector<std::uint8_t> picture_;
};

}  // namespace tvx::testing
