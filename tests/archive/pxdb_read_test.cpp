// Reading records: the bytes handed out, where they go in the stream, and every way a record
// can be refused. A refused read must leave the target stream exactly as it was.
#include <gtest/gtest.h>

#include "archive/PxDb.h"
#include "archive_test_util.h"

namespace tvx::test {
namespace {

Bytes Pattern(std::size_t size) {
  Bytes data(size);
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  return data;
}

class PxDbRead : public ::testing::Test {
 protected:
  void SetUp() override {
    db_.SetFileName(path_);
    db_.OpenMode = TOpenModes::opReadOnly;
    stream_.Write("prefix", 6);
  }

  // Opens an archive of the given records and reads `key`; checks that a failure left the
  // stream untouched.
  bool OpenAndRead(const std::vector<RawRecord>& records, const std::string& key) {
    WriteFileBytes(path_, BuildArchive(records).bytes);
    if (!db_.Open()) return false;
    const Bytes before = stream_.Bytes();
    const std::size_t position = stream_.Position();
    const bool read = db_.ReadStream(key, stream_);
    if (!read) {
      EXPECT_EQ(stream_.Bytes(), before);
      EXPECT_EQ(stream_.Position(), position);
    }
    return read;
  }

  TempFolder dir_;
  std::string path_ = dir_.File("resources.tvx");
  TPxDb db_{nullptr};
  TMemoryStream stream_;
};

TEST_F(PxDbRead, ReadsTheUncompressedBytesAfterThePosition) {
  const Bytes data = Pattern(100000);
  ASSERT_TRUE(
      OpenAndRead({MakeRecord("small", 1, ToBytes("abc")), MakeRecord("big", 1, data)}, "big"));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsOk);
  ASSERT_EQ(stream_.Size(), 6 + data.size());
  EXPECT_EQ(stream_.Position(), 6 + data.size());
  EXPECT_EQ(Bytes(stream_.Bytes().begin() + 6, stream_.Bytes().end()), data);
}

TEST_F(PxDbRead, AppendsAtTheCurrentPositionInsideAStream) {
  stream_.Seek(2);
  ASSERT_TRUE(OpenAndRead({MakeRecord("k", 1, ToBytes("XYZ"))}, "k"));
  EXPECT_EQ(stream_.Bytes(), ToBytes("prXYZx"));
  EXPECT_EQ(stream_.Position(), 5u);
}

TEST_F(PxDbRead, ReadsByKeyWithCaseFolding) {
  ASSERT_TRUE(OpenAndRead({MakeRecord("crash.mp3", 0, ToBytes("boom"))}, "CRASH.MP3"));
  EXPECT_EQ(stream_.Bytes(), ToBytes("prefixboom"));
}

TEST_F(PxDbRead, UnknownKeyFails) {
  EXPECT_FALSE(OpenAndRead({MakeRecord("k", 1, ToBytes("v"))}, "other"));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsKeyNotFound);
}

TEST_F(PxDbRead, DigestMismatchFails) {
  RawRecord record = MakeRecord("k", 1, ToBytes("genuine"));
  record.checksum[15] ^= 1;
  EXPECT_FALSE(OpenAndRead({record}, "k"));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsDigestMismatch);
}

TEST_F(PxDbRead, InflatedLengthOneByteLongerThanOrigSizeFails) {
  RawRecord record = MakeRecord("k", 1, Pattern(1000));
  record.origSize = 999;
  EXPECT_FALSE(OpenAndRead({record}, "k"));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsInflateError);
}

TEST_F(PxDbRead, InflatedLengthOneByteShorterThanOrigSizeFails) {
  RawRecord record = MakeRecord("k", 1, Pattern(1000));
  record.origSize = 1001;
  EXPECT_FALSE(OpenAndRead({record}, "k"));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsInflateError);
}

TEST_F(PxDbRead, LengthMismatchIsFoundAcrossBufferGrowth) {
  // Large enough that the output buffer grows several times before the mismatch shows.
  RawRecord longer = MakeRecord("k", 1, Bytes(3u << 20, 0));
  longer.origSize -= 1;
  EXPECT_FALSE(OpenAndRead({longer}, "k"));
  RawRecord shorter = MakeRecord("k", 1, Bytes(3u << 20, 0));
  shorter.origSize += 1;
  EXPECT_FALSE(OpenAndRead({shorter}, "k"));
}

TEST_F(PxDbRead, OrigSizeZeroIsNeverRead) {
  EXPECT_FALSE(OpenAndRead({MakeRecord("empty", 1, {})}, "empty"));
  RawRecord claimed = MakeRecord("k", 1, ToBytes("v"));
  claimed.origSize = 0;
  EXPECT_FALSE(OpenAndRead({claimed}, "k"));
}

TEST_F(PxDbRead, OrigSizeBeyondWhatTheStoredBytesCanHoldFailsWithoutAllocating) {
  RawRecord record = MakeRecord("k", 1, ToBytes("tiny"));
  record.origSize = 0xFFFFFFFF;
  EXPECT_FALSE(OpenAndRead({record}, "k"));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsTooLarge);
}

TEST_F(PxDbRead, HighlyCompressibleDataIsNotTakenForALyingSize) {
  const Bytes zeros(32u << 20, 0);
  ASSERT_TRUE(OpenAndRead({MakeRecord("zeros", 1, zeros)}, "zeros"));
  EXPECT_EQ(stream_.Size(), 6 + zeros.size());
}

TEST_F(PxDbRead, LyingOrigSizeWithinTheRatioStillFailsOnTheLength) {
  // Plausible for the stored size, so the buffer grows with the data and the length decides.
  RawRecord record = MakeRecord("k", 1, Bytes(4096, 0));
  record.origSize = record.physSize * 1000;
  EXPECT_FALSE(OpenAndRead({record}, "k"));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsInflateError);
}

TEST_F(PxDbRead, StoredBytesCutShortFail) {
  const RawRecord record = MakeRecord("k", 1, Pattern(500));
  const RawArchive archive = BuildArchive({record});
  // Put the table before the record so cutting the file cuts only the stored bytes.
  ByteBuilder out;
  out.U32(kPxDbSignature).U32(1).U32(12).String("k").U32(21);
  Bytes recordBytes(archive.bytes.begin() + 12, archive.bytes.begin() + archive.tableOffset);
  out.Raw(recordBytes);
  const Bytes full = out.Data();
  WriteFileBytes(path_, Bytes(full.begin(), full.end() - 1));
  ASSERT_TRUE(db_.Open());
  EXPECT_FALSE(db_.ReadStream("k", stream_));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsStoredBytesShort);
  WriteFileBytes(path_, full);
  EXPECT_TRUE(db_.ReadStream("k", stream_));
}

TEST_F(PxDbRead, PhysSizePastEndOfFileFails) {
  RawRecord record = MakeRecord("k", 1, ToBytes("v"));
  record.physSize = 0xFFFFFFFF;
  EXPECT_FALSE(OpenAndRead({record}, "k"));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsStoredBytesShort);
}

TEST_F(PxDbRead, PhysSizeShorterThanTheStreamFails) {
  RawRecord record = MakeRecord("k", 1, Pattern(300));
  record.physSize -= 1;
  EXPECT_FALSE(OpenAndRead({record}, "k"));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsInflateError);
}

TEST_F(PxDbRead, CorruptStoredBytesFailAtInflation) {
  RawRecord record = MakeRecord("k", 1, Pattern(300));
  record.stored[record.stored.size() - 1] ^= 0xFF;  // the Adler-32 trailer
  EXPECT_FALSE(OpenAndRead({record}, "k"));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsInflateError);
  RawRecord raw = MakeRecord("k", 1, ToBytes("stored as is"));
  raw.stored = ToBytes("stored as is");
  raw.physSize = static_cast<std::uint32_t>(raw.stored.size());
  EXPECT_FALSE(OpenAndRead({raw}, "k"));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsInflateError);
}

TEST_F(PxDbRead, EncipheredFlagOnAPlainStreamReadsLikeAnyRecord) {
  RawRecord record = MakeRecord("k", 1, ToBytes("plain"));
  record.enciphered = 1;
  ASSERT_TRUE(OpenAndRead({record}, "k"));
  EXPECT_TRUE(db_.RecordInfo(0)->Enciphered);
  EXPECT_EQ(stream_.Bytes(), ToBytes("prefixplain"));
}

TEST_F(PxDbRead, ReallyEncipheredBytesFail) {
  RawRecord record = MakeRecord("k", 1, Pattern(300));
  record.enciphered = 1;
  for (std::uint8_t& byte : record.stored) byte ^= 0x5A;
  EXPECT_FALSE(OpenAndRead({record}, "k"));
}

TEST_F(PxDbRead, EveryReadReloadsTheTableFromTheFile) {
  ASSERT_TRUE(OpenAndRead({MakeRecord("old", 1, ToBytes("1"))}, "old"));
  WriteFileBytes(
      path_,
      BuildArchive({MakeRecord("x", 1, ToBytes("2")), MakeRecord("new", 3, ToBytes("3"))}).bytes);
  EXPECT_TRUE(db_.Loaded());
  EXPECT_EQ(db_.RecordCount(), 1);
  TMemoryStream stream;
  ASSERT_TRUE(db_.ReadStream("new", stream));
  EXPECT_EQ(db_.RecordCount(), 2);
  EXPECT_EQ(db_.RecordType(1), 3);
  EXPECT_FALSE(db_.ReadStream("old", stream));
}

TEST_F(PxDbRead, ReadsEvenBeforeOpenBecauseEveryReadReloads) {
  WriteFileBytes(path_, BuildArchive({MakeRecord("k", 1, ToBytes("v"))}).bytes);
  TMemoryStream stream;
  ASSERT_TRUE(db_.ReadStream("k", stream));
  EXPECT_FALSE(db_.Loaded());
  EXPECT_EQ(db_.RecordCount(), 1);
}

TEST_F(PxDbRead, MissingFileAtReadTimeFails) {
  ASSERT_TRUE(OpenAndRead({MakeRecord("k", 1, ToBytes("v"))}, "k"));
  std::filesystem::remove(path_);
  TMemoryStream stream;
  EXPECT_FALSE(db_.ReadStream("k", stream));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsFileError);
  EXPECT_EQ(stream.Size(), 0u);
}

TEST_F(PxDbRead, DamagedTableAtReadTimeFails) {
  ASSERT_TRUE(OpenAndRead({MakeRecord("k", 1, ToBytes("v"))}, "k"));
  WriteFileBytes(path_, {1, 2, 3, 4, 5});
  TMemoryStream stream;
  EXPECT_FALSE(db_.ReadStream("k", stream));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsTableError);
  EXPECT_EQ(db_.RecordCount(), 0);
}

TEST_F(PxDbRead, ReadByIndexReachesAShadowedDuplicate) {
  WriteFileBytes(path_, BuildArchive({MakeRecord("Dup", 1, ToBytes("first")),
                                      MakeRecord("dup", 1, ToBytes("second"))})
                            .bytes);
  ASSERT_TRUE(db_.Open());
  TMemoryStream byKey;
  ASSERT_TRUE(db_.ReadStream("dup", byKey));
  EXPECT_EQ(byKey.Bytes(), ToBytes("first"));
  TMemoryStream byIndex;
  ASSERT_TRUE(db_.ReadStreamAt(1, byIndex));
  EXPECT_EQ(byIndex.Bytes(), ToBytes("second"));
  EXPECT_FALSE(db_.ReadStreamAt(2, byIndex));
  EXPECT_FALSE(db_.ReadStreamAt(-1, byIndex));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsKeyNotFound);
}

}  // namespace
}  // namespace tvx::test
