// The little-endian field helpers and both stream kinds they run on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <limits>

#include "archive/StreamEx.h"
#include "archive_test_util.h"

namespace tvx::test {
namespace {

TEST(StreamEx, FieldsAreLittleEndian) {
  TMemoryStream memory;
  TMemoryStreamView stream(memory);
  ASSERT_TRUE(WriteUInt16(stream, 0x0102));
  ASSERT_TRUE(WriteUInt32(stream, 0x03040506));
  ASSERT_TRUE(WriteInt32(stream, -2));
  ASSERT_TRUE(WriteDouble(stream, 1.0));
  ASSERT_TRUE(WriteString(stream, "PxDb"));
  const Bytes expected = {0x02, 0x01, 0x06, 0x05, 0x04, 0x03, 0xFE, 0xFF, 0xFF, 0xFF, 0,   0,  0, 0,
                          0,    0,    0xF0, 0x3F, 4,    0,    0,    0,    'P',  'x',  'D', 'b'};
  EXPECT_EQ(memory.Bytes(), expected);
}

TEST(StreamEx, ReadsBackWhatWasWritten) {
  TMemoryStream memory;
  TMemoryStreamView stream(memory);
  WriteUInt16(stream, 0xBEEF);
  WriteUInt32(stream, 0xFFFFFFFF);
  WriteInt32(stream, std::numeric_limits<std::int32_t>::min());
  WriteDouble(stream, -0.125);
  WriteString(stream, std::string("a\0b", 3));
  ASSERT_TRUE(stream.Seek(0));
  std::uint16_t u16 = 0;
  std::uint32_t u32 = 0;
  std::int32_t i32 = 0;
  double f64 = 0;
  std::string text;
  ASSERT_TRUE(ReadUInt16(stream, u16) && ReadUInt32(stream, u32) && ReadInt32(stream, i32) &&
              ReadDouble(stream, f64) && ReadString(stream, text, 100));
  EXPECT_EQ(u16, 0xBEEF);
  EXPECT_EQ(u32, 0xFFFFFFFFu);
  EXPECT_EQ(i32, std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(f64, -0.125);
  EXPECT_EQ(text, std::string("a\0b", 3));
  EXPECT_FALSE(ReadUInt16(stream, u16));
}

TEST(StreamEx, ShortReadsFailAndLeaveTheValue) {
  TMemoryStream memory;
  memory.Write("\x01\x02\x03", 3);
  TMemoryStreamView stream(memory);
  stream.Seek(0);
  std::uint32_t value = 42;
  EXPECT_FALSE(ReadUInt32(stream, value));
  EXPECT_EQ(value, 42u);
}

TEST(StreamEx, StringLengthIsCheckedBeforeAllocating) {
  for (std::uint32_t length : {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 6u}) {
    TMemoryStream memory;
    TMemoryStreamView stream(memory);
    WriteUInt32(stream, length);
    WriteExact(stream, "abcde", 5);
    stream.Seek(0);
    std::string text = "unchanged";
    EXPECT_FALSE(ReadString(stream, text, stream.Remaining())) << length;
    EXPECT_EQ(text, "unchanged");
  }
  TMemoryStream memory;
  TMemoryStreamView stream(memory);
  WriteString(stream, "abcde");
  stream.Seek(0);
  std::string text;
  EXPECT_FALSE(ReadString(stream, text, 4));
  stream.Seek(0);
  EXPECT_TRUE(ReadString(stream, text, 5));
  EXPECT_EQ(text, "abcde");
}

TEST(StreamEx, SeekingPastTheEndFails) {
  TMemoryStream memory;
  memory.Write("abc", 3);
  TMemoryStreamView view(memory);
  EXPECT_TRUE(view.Seek(3));
  EXPECT_FALSE(view.Seek(4));

  TempFolder dir;
  WriteFileBytes(dir.File("f"), ToBytes("abc"));
  auto file = TFileStream::OpenRead(dir.File("f"));
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Size(), 3u);
  EXPECT_TRUE(file->Seek(3));
  EXPECT_EQ(file->Remaining(), 0u);
  EXPECT_FALSE(file->Seek(4));
  EXPECT_FALSE(file->Seek(std::numeric_limits<std::uint64_t>::max()));
  ASSERT_TRUE(file->Seek(1));
  char c = 0;
  EXPECT_TRUE(ReadExact(*file, &c, 1));
  EXPECT_EQ(c, 'b');
  EXPECT_EQ(file->Position(), 2u);
}

// Reads by position through the stream's own buffer: small reads on either side of a seek,
// reads across the buffer's end, one larger than the buffer, and a short one at the file's end.
TEST(StreamEx, FileStreamReadsWhatIsAtEachPosition) {
  TempFolder dir;
  Bytes bytes(20000);
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  WriteFileBytes(dir.File("f"), bytes);
  auto file = TFileStream::OpenRead(dir.File("f"));
  ASSERT_NE(file, nullptr);
  const auto readAt = [&](std::uint64_t at, std::size_t count) {
    Bytes got(count);
    if (!file->Seek(at)) return Bytes{};
    got.resize(file->Read(got.data(), count));
    EXPECT_EQ(file->Position(), at + got.size());
    return got;
  };
  const auto expected = [&](std::size_t at, std::size_t count) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                 bytes.begin() + static_cast<std::ptrdiff_t>(at + count));
  };
  for (const auto& [at, count] : std::vector<std::pair<std::size_t, std::size_t>>{
           {100, 8}, {50, 60}, {4090, 20}, {12000, 9000 - 1000}, {3, 4}, {8000, 4096}}) {
    EXPECT_EQ(readAt(at, count), expected(at, count)) << at << " " << count;
  }
  EXPECT_EQ(readAt(19990, 50), expected(19990, 10));
}

TEST(StreamEx, FileStreamCreatesAndReplaces) {
  TempFolder dir;
  const std::string path = dir.File("out");
  WriteFileBytes(path, ToBytes("old contents"));
  auto file = TFileStream::Create(path);
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(WriteString(*file, "new"));
  EXPECT_EQ(file->Size(), 7u);
  EXPECT_TRUE(file->Close());
  EXPECT_EQ(ReadWholeFile(path), (Bytes{3, 0, 0, 0, 'n', 'e', 'w'}));
  EXPECT_EQ(TFileStream::OpenRead(dir.File("missing")), nullptr);
  EXPECT_EQ(TFileStream::Create(dir.File("missing/out")), nullptr);
  // An archive's name on a FIFO is refused at once; opened for reading it would block for good.
  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
  EXPECT_EQ(TFileStream::OpenRead(dir.File("fifo")), nullptr);
}

}  // namespace
}  // namespace tvx::test
