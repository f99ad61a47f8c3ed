// Damaged records: every cut and many byte changes of valid image and font records must be
// refused or loaded cleanly, never crash or leave textures behind after a refusal.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "harness/ImageRecordBuilder.h"
#include "render/PxFonts.h"
#include "render/PxImageRecord.h"
#include "render/PxImages.h"
#include "render_test_fixture.h"

namespace tvx {
namespace {

using testing::FontRecordBuilder;
using testing::ImageRecordBuilder;

// A fixed sequence of byte changes: position, then the new value.
class Mutations {
 public:
  std::uint32_t Next(std::uint32_t limit) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<std::uint32_t>((std::uint64_t{state_} * limit) >> 32);
  }

 private:
  std::uint32_t state_ = 12345;
};

class DamagedRecords : public testing::RenderTest {};

TEST(ImageRecordHeader, WhatIsWrittenIsReadBackFieldForField) {
  const TImageRecordHeader written{PixelFormat::pfA4R4G4B4, 34, 36, 32, 34, -7, 2048, 1024, 3};
  std::vector<std::uint8_t> bytes{0xAA};  // the header need not start the buffer
  WriteImageRecordHeader(written, bytes);
  ASSERT_EQ(bytes.size(), 1 + ImageRecordHeaderSize);
  TMemoryStream stream;
  stream.Write(bytes.data() + 1, ImageRecordHeaderSize);
  stream.Seek(0);
  TImageRecordHeader read;
  ASSERT_TRUE(ReadImageRecordHeader(stream, read));
  EXPECT_EQ(read.storedFormat, written.storedFormat);
  EXPECT_EQ((std::vector<std::int32_t>{read.cellWidth, read.cellHeight, read.drawWidth,
                                       read.drawHeight, read.patternCount, read.textureWidth,
                                       read.textureHeight, read.textureCount}),
            (std::vector<std::int32_t>{34, 36, 32, 34, -7, 2048, 1024, 3}));
}

TEST_F(DamagedRecords, EveryCutImageRecordIsRefused) {
  const auto record = ImageRecordBuilder()
                          .Format(PixelFormat::pfR5G6B5)
                          .Cell(2, 2)
                          .Draw(2, 2)
                          .Texture(4, 4, 2)
                          .Bytes();
  for (std::size_t length = 0; length < record.size(); ++length) {
    TPxImage image(device);
    const std::vector<std::uint8_t> cut(record.begin(),
                                        record.begin() + static_cast<std::ptrdiff_t>(length));
    ASSERT_FALSE(LoadBytes(image, cut)) << length;
    ASSERT_EQ(api.LiveTextures(), 0u) << length;
  }
  TPxImage whole(device);
  EXPECT_TRUE(LoadBytes(whole, record));
}

TEST_F(DamagedRecords, ChangedHeaderBytesNeverBreakTheImage) {
  const auto record =
      ImageRecordBuilder().Cell(4, 4).Draw(3, 3).Texture(8, 8, 2).FillPixels(0x80402010).Bytes();
  {
    TPxImage undamaged(device);
    ASSERT_TRUE(LoadBytes(undamaged, record));
  }
  Mutations mutations;
  int loaded = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> damaged = record;
    for (int changes = 1 + static_cast<int>(mutations.Next(3)); changes > 0; --changes) {
      damaged[mutations.Next(ImageRecordHeaderSize)] =
          static_cast<std::uint8_t>(mutations.Next(256));
    }
    const std::size_t live = api.LiveTextures();
    {
      TPxImage image(device);
      if (LoadBytes(image, damaged)) {
        ++loaded;
        FloatQuad uv{};
        std::int32_t texture = -1;
        for (std::int32_t pattern : {-1, 0, 7, 1 << 30}) {
          if (image.PatternCoordinates({pattern, 0, 0, 0, 0, 0, 0}, uv, texture)) {
            ASSERT_GE(texture, 0);
            ASSERT_LT(texture, image.TextureCount());
          }
        }
      } else {
        ASSERT_EQ(api.LiveTextures(), live) << round;
      }
    }
    ASSERT_EQ(api.LiveTextures(), live) << round;
  }
  // Both outcomes must have been met for the rounds to mean anything.
  EXPECT_GT(loaded, 0);
  EXPECT_LT(loaded, 3000);
}

TEST_F(DamagedRecords, EveryCutFontRecordIsRefused) {
  const auto record = FontRecordBuilder()
                          .Advances({3, 4, 5})
                          .Picture(ImageRecordBuilder().Cell(2, 2).Draw(2, 2).Texture(4, 2).Bytes())
                          .Bytes();
  auto& archive = Archive({{"whole", 3, record}});
  TPxFonts* fonts = CreateComponent<TPxFonts>(&root);
  fonts->SetPublisher(device);
  EXPECT_TRUE(
      fonts->AddFont()->LoadFontRecord("whole", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  std::vector<testing::TestRecord> cuts;
  for (std::size_t length = 1; length < record.size(); ++length) {
    cuts.push_back({std::to_string(length),
                    3,
                    {record.begin(), record.begin() + static_cast<std::ptrdiff_t>(length)}});
  }
  auto& damaged = Archive(cuts);
  for (const auto& cut : cuts) {
    ASSERT_FALSE(
        fonts->AddFont()->LoadFontRecord(cut.key, damaged, TPxQuality::pqHigh, TAlphaLevel::alFull))
        << cut.key;
  }
  EXPECT_EQ(api.LiveTextures(), 1u);
}

}  // namespace
}  // namespace tvx
