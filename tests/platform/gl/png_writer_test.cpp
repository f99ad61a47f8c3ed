// The PNG encoder: chunk structure and CRCs, and pixels that inflate back to RGBA rows.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <map>
#include <string>

#include "core/FileBytes.h"
#include "platform/gl/PngWriter.h"

namespace tvx {
namespace {

std::uint32_t ReadU32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
         std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

// Chunk type to data, checking every CRC on the way.
std::map<std::string, std::vector<std::uint8_t>> Chunks(const std::vector<std::uint8_t>& file) {
  std::map<std::string, std::vector<std::uint8_t>> chunks;
  std::size_t at = 8;
  while (at + 12 <= file.size()) {
    const std::uint32_t length = ReadU32(file, at);
    const std::string type(file.begin() + at + 4, file.begin() + at + 8);
    const uLong crc = crc32(0L, file.data() + at + 4, length + 4);
    EXPECT_EQ(ReadU32(file, at + 8 + length), crc) << type;
    chunks[type].assign(file.begin() + at + 8, file.begin() + at + 8 + length);
    at += 12 + length;
  }
  EXPECT_EQ(at, file.size());
  return chunks;
}

TEST(PngWriterTest, EncodesRgbaRowsBehindFilterBytes) {
  const std::vector<std::uint32_t> pixels{0x80FF0000, 0xFF00FF00, 0x000000FF,
                                          0xFF123456, 0x01020304, 0xFFFFFFFF};
  const std::vector<std::uint8_t> file = EncodePng(3, 2, pixels);
  ASSERT_GT(file.size(), 8u);
  const std::vector<std::uint8_t> signature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  EXPECT_TRUE(std::equal(signature.begin(), signature.end(), file.begin()));

  auto chunks = Chunks(file);
  ASSERT_EQ(chunks.size(), 3u);
  const std::vector<std::uint8_t>& header = chunks["IHDR"];
  ASSERT_EQ(header.size(), 13u);
  EXPECT_EQ(ReadU32(header, 0), 3u);
  EXPECT_EQ(ReadU32(header, 4), 2u);
  EXPECT_EQ(header[8], 8);  // bit depth
  EXPECT_EQ(header[9], 6);  // RGBA
  EXPECT_TRUE(chunks["IEND"].empty());

  std::vector<std::uint8_t> raw(2 * (1 + 3 * 4));
  uLongf rawSize = static_cast<uLongf>(raw.size());
  const std::vector<std::uint8_t>& packed = chunks["IDAT"];
  ASSERT_EQ(uncompress(raw.data(), &rawSize, packed.data(), static_cast<uLong>(packed.size())),
            Z_OK);
  ASSERT_EQ(rawSize, raw.size());
  const std::vector<std::uint8_t> expected{0,    0xFF, 0,    0,    0x80, 0,    0xFF, 0,    0xFF,
                                           0,    0,    0xFF, 0,    0,    0x12, 0x34, 0x56, 0xFF,
                                           0x02, 0x03, 0x04, 0x01, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(raw, expected);
}

TEST(PngWriterTest, RefusesPixelsThatDoNotMatchTheSize) {
  EXPECT_TRUE(EncodePng(0, 4, {}).empty());
  EXPECT_TRUE(EncodePng(2, 2, {1, 2, 3}).empty());
  EXPECT_FALSE(WritePng("/nonexistent-folder/picture.png", 1, 1, {0xFF000000}));
}

TEST(PngWriterTest, WritesTheEncodedFile) {
  const std::string path = ::testing::TempDir() + "png_writer_test.png";
  ASSERT_TRUE(WritePng(path, 1, 1, {0xFF336699}));
  const std::vector<std::uint8_t> written = ReadWholeFile(path);
  EXPECT_EQ(written, EncodePng(1, 1, {0xFF336699}));
  std::remove(path.c_str());
}

}  // namespace
}  // namespace tvx
