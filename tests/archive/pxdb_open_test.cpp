// Opening archives: the open modes, the empty archive, and tables that lie about their size.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive/PxDb.h"
#include "archive_test_util.h"

namespace tvx::test {
namespace {

const Bytes kEmptyArchive = {'P', 'x', 'D', 'b', 0, 0, 0, 0, 12, 0, 0, 0};

class PxDbOpen : public ::testing::Test {
 protected:
  // Writes `bytes` as the archive and opens it read-only.
  bool OpenBytes(const Bytes& bytes) {
    WriteFileBytes(path_, bytes);
    db_.SetFileName(path_);
    db_.OpenMode = TOpenModes::opReadOnly;
    return db_.Open();
  }

  TempFolder dir_;
  std::string path_ = dir_.File("resources.tvx");
  TPxDb db_{nullptr};
};

TEST_F(PxDbOpen, StartsUnloadedInUpdateMode) {
  EXPECT_FALSE(db_.Loaded());
  EXPECT_EQ(db_.OpenMode, TOpenModes::opUpdate);
  EXPECT_EQ(db_.RecordCount(), 0);
}

TEST_F(PxDbOpen, UpdateOnMissingFileWritesTheTwelveByteEmptyArchive) {
  db_.SetFileName(path_);
  ASSERT_TRUE(db_.EnsureOpen());
  EXPECT_TRUE(db_.Loaded());
  EXPECT_EQ(db_.RecordCount(), 0);
  EXPECT_EQ(ReadWholeFile(path_), kEmptyArchive);
  TMemoryStream stream;
  EXPECT_FALSE(db_.ReadStream("anything", stream));
  EXPECT_EQ(db_.FindRecord("anything"), -1);
}

TEST_F(PxDbOpen, UpdateOnExistingFileReadsItWithoutRewriting) {
  const RawArchive archive = BuildArchive({MakeRecord("a", 1, ToBytes("x"))});
  WriteFileBytes(path_, archive.bytes);
  db_.SetFileName(path_);
  ASSERT_TRUE(db_.Open());
  EXPECT_EQ(db_.RecordCount(), 1);
  EXPECT_EQ(ReadWholeFile(path_), archive.bytes);
}

TEST_F(PxDbOpen, UpdateOnAnUnreadableArchiveFailsAndKeepsTheFile) {
  const Bytes junk = {1, 2, 3};
  WriteFileBytes(path_, junk);
  db_.SetFileName(path_);
  EXPECT_FALSE(db_.Open());
  EXPECT_FALSE(db_.Loaded());
  EXPECT_EQ(ReadWholeFile(path_), junk);
}

TEST_F(PxDbOpen, OverwriteReplacesAnExistingArchive) {
  WriteFileBytes(path_, BuildArchive({MakeRecord("a", 1, ToBytes("x"))}).bytes);
  db_.SetFileName(path_);
  db_.OpenMode = TOpenModes::opOverwrite;
  ASSERT_TRUE(db_.Open());
  EXPECT_EQ(db_.RecordCount(), 0);
  EXPECT_EQ(ReadWholeFile(path_), kEmptyArchive);
}

TEST_F(PxDbOpen, ReadOnlyOnMissingFileFailsAndCreatesNothing) {
  db_.SetFileName(path_);
  db_.OpenMode = TOpenModes::opReadOnly;
  EXPECT_FALSE(db_.EnsureOpen());
  EXPECT_FALSE(db_.Loaded());
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(PxDbOpen, ReadOnlyOnADirectoryFails) {
  db_.SetFileName(dir_.Path());
  db_.OpenMode = TOpenModes::opReadOnly;
  EXPECT_FALSE(db_.Open());
}

TEST_F(PxDbOpen, UpdateFailsWhenTheEmptyArchiveCannotBeCreated) {
  db_.SetFileName(dir_.File("no-such-folder/resources.tvx"));
  EXPECT_FALSE(db_.Open());
  EXPECT_FALSE(db_.Loaded());
}

TEST_F(PxDbOpen, EnsureOpenDoesNotReopenWhileLoaded) {
  db_.SetFileName(path_);
  ASSERT_TRUE(db_.EnsureOpen());
  std::filesystem::remove(path_);
  EXPECT_TRUE(db_.EnsureOpen());
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(PxDbOpen, NewFileNameMakesTheNextEnsureOpenReopen) {
  const std::string second = dir_.File("second.tvx");
  WriteFileBytes(
      second,
      BuildArchive({MakeRecord("one", 1, ToBytes("1")), MakeRecord("two", 3, ToBytes("2"))}).bytes);
  db_.SetFileName(path_);
  ASSERT_TRUE(db_.EnsureOpen());
  EXPECT_EQ(db_.RecordCount(), 0);
  db_.SetFileName(second);
  EXPECT_FALSE(db_.Loaded());
  EXPECT_EQ(db_.FileName(), second);
  ASSERT_TRUE(db_.EnsureOpen());
  EXPECT_EQ(db_.RecordCount(), 2);
  EXPECT_EQ(db_.RecordKey(1), "two");
}

TEST_F(PxDbOpen, WrongSignatureIsStillRead) {
  ASSERT_TRUE(OpenBytes(BuildArchive({MakeRecord("k", 1, ToBytes("v"))}, 0x12345678).bytes));
  EXPECT_EQ(db_.Header().Signature, 0x12345678u);
  EXPECT_EQ(db_.RecordKey(0), "k");
  TMemoryStream stream;
  EXPECT_TRUE(db_.ReadStream("k", stream));
}

TEST_F(PxDbOpen, HeaderShorterThanTwelveBytesFails) {
  for (std::size_t size = 0; size < kEmptyArchive.size(); ++size) {
    EXPECT_FALSE(OpenBytes(Bytes(kEmptyArchive.begin(), kEmptyArchive.begin() + size))) << size;
  }
  EXPECT_TRUE(OpenBytes(kEmptyArchive));
}

TEST_F(PxDbOpen, RecordsAndTableMayLieAnywhere) {
  // Table first, then the record, with padding around both.
  const RawRecord record = MakeRecord("late", 3, ToBytes("payload"));
  ByteBuilder out;
  out.U32(kPxDbSignature).U32(1).U32(20).Raw(Bytes(8, 0xEE));
  out.String("late").U32(0);
  out.Raw(Bytes(5, 0xEE));
  const std::uint32_t recordOffset = static_cast<std::uint32_t>(out.Size());
  out.U16(record.type).U32(record.origSize).U32(record.physSize).F64(1.5);
  out.Raw(Bytes(record.checksum.begin(), record.checksum.end())).U16(0).Raw(Bytes(8, 7));
  out.Raw(record.stored);
  out.PatchU32(28, recordOffset);
  ASSERT_TRUE(OpenBytes(out.Data()));
  EXPECT_EQ(db_.RecordType(0), 3);
  EXPECT_EQ(db_.RecordInfo(0)->Stamp, 1.5);
  EXPECT_EQ(db_.RecordInfo(0)->InitVector[7], 7);
  TMemoryStream stream;
  ASSERT_TRUE(db_.ReadStream("late", stream));
  EXPECT_EQ(stream.Bytes(), ToBytes("payload"));
}

TEST_F(PxDbOpen, RecordHeaderFieldsAreKeptInTheTable) {
  RawRecord record = MakeRecord("k", 0xFFFF, ToBytes("data"));
  record.enciphered = 0x0100;  // only the low byte is the flag
  ASSERT_TRUE(OpenBytes(BuildArchive({record}).bytes));
  const TRecordInfo* info = db_.RecordInfo(0);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->RecordType, 0xFFFF);
  EXPECT_EQ(info->OrigSize, 4u);
  EXPECT_EQ(info->PhysSize, record.physSize);
  EXPECT_EQ(info->Checksum, record.checksum);
  EXPECT_FALSE(info->Enciphered);
}

// Inputs that must fail cleanly: no crash, no hang, no allocation sized by the lie.
class PxDbOpenUntrusted : public PxDbOpen {
 protected:
  RawArchive TwoRecords() {
    return BuildArchive(
        {MakeRecord("first", 1, ToBytes("one")), MakeRecord("second", 3, ToBytes("two"))});
  }
};

TEST_F(PxDbOpenUntrusted, TableOffsetPastEndOfFileFails) {
  RawArchive archive = TwoRecords();
  ByteBuilder bytes;
  bytes.Raw(archive.bytes);
  bytes.PatchU32(8, static_cast<std::uint32_t>(archive.bytes.size()) + 1);
  EXPECT_FALSE(OpenBytes(bytes.Data()));
  bytes.PatchU32(8, 0xFFFFFFFF);
  EXPECT_FALSE(OpenBytes(bytes.Data()));
  EXPECT_EQ(db_.RecordCount(), 0);
}

TEST_F(PxDbOpenUntrusted, TableRunningPastEndOfFileFails) {
  const RawArchive archive = TwoRecords();
  for (std::size_t size = archive.tableOffset; size < archive.bytes.size(); ++size) {
    EXPECT_FALSE(OpenBytes(Bytes(archive.bytes.begin(), archive.bytes.begin() + size))) << size;
    EXPECT_EQ(db_.RecordCount(), 0);
  }
  EXPECT_TRUE(OpenBytes(archive.bytes));
}

TEST_F(PxDbOpenUntrusted, RecordCountLargerThanTheTableFails) {
  ByteBuilder bytes;
  bytes.Raw(TwoRecords().bytes);
  bytes.PatchU32(4, 3);
  EXPECT_FALSE(OpenBytes(bytes.Data()));
  bytes.PatchU32(4, 0xFFFFFFFF);
  EXPECT_FALSE(OpenBytes(bytes.Data()));
  bytes.PatchU32(4, 0x80000000);
  EXPECT_FALSE(OpenBytes(bytes.Data()));
  EXPECT_EQ(db_.RecordCount(), 0);
}

TEST_F(PxDbOpenUntrusted, NegativeOrHugeKeyLengthFails) {
  const RawArchive archive = TwoRecords();
  for (std::uint32_t length : {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 0x10000000u}) {
    ByteBuilder bytes;
    bytes.Raw(archive.bytes);
    bytes.PatchU32(archive.tableOffset, length);
    EXPECT_FALSE(OpenBytes(bytes.Data())) << length;
    EXPECT_EQ(db_.RecordCount(), 0);
  }
}

TEST_F(PxDbOpenUntrusted, KeyLengthOneBeyondTheFileFails) {
  const RawArchive archive = TwoRecords();
  ByteBuilder bytes;
  bytes.Raw(archive.bytes);
  const std::size_t lastEntry = archive.bytes.size() - (4 + 6 + 4);
  const std::uint32_t remaining = static_cast<std::uint32_t>(archive.bytes.size() - lastEntry - 4);
  bytes.PatchU32(lastEntry, remaining + 1);
  EXPECT_FALSE(OpenBytes(bytes.Data()));
}

TEST_F(PxDbOpenUntrusted, EmptyKeyIsAValidEntry) {
  ASSERT_TRUE(OpenBytes(BuildArchive({MakeRecord("", 1, ToBytes("anonymous"))}).bytes));
  EXPECT_EQ(db_.FindRecord(""), 0);
  TMemoryStream stream;
  EXPECT_TRUE(db_.ReadStream("", stream));
}

TEST_F(PxDbOpenUntrusted, RecordOffsetPastEndOfFileFailsButKeepsTheEntries) {
  const RawArchive archive = TwoRecords();
  ByteBuilder bytes;
  bytes.Raw(archive.bytes);
  const std::size_t secondOffsetField = archive.bytes.size() - 4;
  bytes.PatchU32(secondOffsetField, 0xFFFFFFF0);
  EXPECT_FALSE(OpenBytes(bytes.Data()));
  EXPECT_FALSE(db_.Loaded());
  // The first header was read before the failure and stays; the second has only its key.
  ASSERT_EQ(db_.RecordCount(), 2);
  EXPECT_EQ(db_.RecordType(0), 1);
  EXPECT_EQ(db_.RecordKey(1), "second");
  EXPECT_EQ(db_.RecordType(1), 0);
}

TEST_F(PxDbOpenUntrusted, RecordHeaderCutShortFails) {
  // A record whose header is the last thing in the file, cut at every byte of it.
  const RawRecord record = MakeRecord("k", 1, ToBytes("v"));
  ByteBuilder out;
  out.U32(kPxDbSignature).U32(1).U32(12).String("k").U32(12 + 9);
  const std::size_t headerStart = out.Size();
  out.U16(record.type).U32(record.origSize).U32(record.physSize).F64(0.0);
  out.Raw(Bytes(record.checksum.begin(), record.checksum.end())).U16(0).Raw(Bytes(8, 0));
  const Bytes full = out.Data();
  for (std::size_t cut = headerStart; cut < full.size(); ++cut) {
    EXPECT_FALSE(OpenBytes(Bytes(full.begin(), full.begin() + cut))) << cut - headerStart;
  }
  // The header alone, without stored bytes, opens; only the read fails.
  ASSERT_TRUE(OpenBytes(full));
  TMemoryStream stream;
  EXPECT_FALSE(db_.ReadStream("k", stream));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsStoredBytesShort);
}

}  // namespace
}  // namespace tvx::test
