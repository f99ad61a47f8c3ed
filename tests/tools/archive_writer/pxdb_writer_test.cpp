// The archive writer: its layout, its determinism, and that the reader takes what it writes.
#include "archive_writer/pxdb_writer.h"

#include <gtest/gtest.h>

#include "archive/PxDb.h"
#include "archive_test_util.h"

namespace tvx::test {
namespace {

PxDbWriter ThreeRecords() {
  PxDbWriter writer;
  writer.Add("road0", 1, ToBytes("image bytes"));
  writer.Add("font0", 3, Bytes(5000, 'f'));
  writer.Add("crash.mp3", 0, ToBytes("ID3..."));
  return writer;
}

TEST(PxDbWriter, EmptyWriterGivesTheEmptyArchive) {
  PxDbWriter writer;
  EXPECT_EQ(writer.Count(), 0u);
  EXPECT_EQ(writer.ToBytes(), (Bytes{'P', 'x', 'D', 'b', 0, 0, 0, 0, 12, 0, 0, 0}));
}

TEST(PxDbWriter, SameRecordsGiveTheSameBytes) {
  EXPECT_EQ(ThreeRecords().ToBytes(), ThreeRecords().ToBytes());
  EXPECT_EQ(ThreeRecords().Count(), 3u);
}

TEST(PxDbWriter, RecordsAreLaidOutAsTheReaderExpects) {
  const Bytes data = ToBytes("image bytes");
  PxDbWriter writer;
  writer.Add("road0", 1, data);
  RawRecord expected = MakeRecord("road0", 1, data);
  EXPECT_EQ(writer.ToBytes(), BuildArchive({expected}).bytes);
}

TEST(PxDbWriter, ReaderReadsEveryRecordBack) {
  TempFolder dir;
  const std::string path = dir.File("resources.tvx");
  std::string error;
  ASSERT_TRUE(ThreeRecords().WriteFile(path, error)) << error;
  TPxDb db(nullptr);
  db.SetFileName(path);
  db.OpenMode = TOpenModes::opReadOnly;
  ASSERT_TRUE(db.EnsureOpen());
  ASSERT_EQ(db.RecordCount(), 3);
  EXPECT_EQ(db.RecordKey(1), "font0");
  EXPECT_EQ(db.RecordType(1), 3);
  const TRecordInfo* info = db.RecordInfo(1);
  EXPECT_EQ(info->OrigSize, 5000u);
  EXPECT_LT(info->PhysSize, 100u);
  EXPECT_EQ(info->Stamp, 0.0);
  EXPECT_FALSE(info->Enciphered);
  TMemoryStream stream;
  ASSERT_TRUE(db.ReadStream("font0", stream));
  EXPECT_EQ(stream.Bytes(), Bytes(5000, 'f'));
}

TEST(PxDbWriter, WriteFileReportsAFolderThatDoesNotExist) {
  TempFolder dir;
  std::string error;
  EXPECT_FALSE(ThreeRecords().WriteFile(dir.File("missing/resources.tvx"), error));
  EXPECT_NE(error.find("missing/resources.tvx"), std::string::npos) << error;
}

}  // namespace
}  // namespace tvx::test
