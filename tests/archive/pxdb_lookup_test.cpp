// Looking records up: indices, keys with ASCII case folding, and the answers outside the table.
#include <gtest/gtest.h>

#include "archive/PxDb.h"
#include "archive/RecordWalk.h"
#include "archive_test_util.h"

namespace tvx::test {
namespace {

class PxDbLookup : public ::testing::Test {
 protected:
  void Open(const std::vector<RawRecord>& records) {
    WriteFileBytes(path_, BuildArchive(records).bytes);
    db_.SetFileName(path_);
    ASSERT_TRUE(db_.EnsureOpen());
  }

  TempFolder dir_;
  std::string path_ = dir_.File("resources.tvx");
  TPxDb db_{nullptr};
};

TEST_F(PxDbLookup, IndicesFollowTableOrder) {
  Open({MakeRecord("road0", 1, ToBytes("a")), MakeRecord("font", 3, ToBytes("b")),
        MakeRecord("crash.mp3", 7, ToBytes("c"))});
  ASSERT_EQ(db_.RecordCount(), 3);
  EXPECT_EQ(db_.RecordKey(0), "road0");
  EXPECT_EQ(db_.RecordKey(2), "crash.mp3");
  EXPECT_EQ(db_.RecordType(0), 1);
  EXPECT_EQ(db_.RecordType(1), 3);
  EXPECT_EQ(db_.RecordType(2), 7);
  EXPECT_EQ(db_.FindRecord("font"), 1);
}

TEST_F(PxDbLookup, IndicesOutsideTheTableGiveNeutralAnswers) {
  Open({MakeRecord("a", 1, ToBytes("a")), MakeRecord("b", 3, ToBytes("b"))});
  for (int index : {-1, 2, -2147483647 - 1, 2147483647}) {
    EXPECT_EQ(db_.RecordType(index), 0) << index;
    EXPECT_EQ(db_.RecordKey(index), "[invalid-record-#]") << index;
    EXPECT_EQ(db_.RecordInfo(index), nullptr) << index;
  }
}

TEST_F(PxDbLookup, CapitalLettersFindTheLowerCaseKey) {
  Open({MakeRecord("other", 0, ToBytes("x")), MakeRecord("crash.mp3", 0, ToBytes("y"))});
  EXPECT_EQ(db_.FindRecord("CRASH.MP3"), 1);
  EXPECT_EQ(db_.FindRecord("Crash.Mp3"), 1);
  EXPECT_EQ(db_.FindRecord("crash.mp3"), 1);
}

TEST_F(PxDbLookup, KeysMustMatchInLength) {
  Open({MakeRecord("crash.mp3", 0, ToBytes("y"))});
  EXPECT_EQ(db_.FindRecord("crash.mp"), -1);
  EXPECT_EQ(db_.FindRecord("crash.mp3 "), -1);
  EXPECT_EQ(db_.FindRecord(std::string("crash.mp3\0", 10)), -1);
  EXPECT_EQ(db_.FindRecord(""), -1);
}

TEST_F(PxDbLookup, BytesOutsideAToZAreNotFolded) {
  // Latin-1 and UTF-8 capitals, and the ASCII neighbours of the letter ranges.
  Open({MakeRecord("\xe9t\xe9", 0, ToBytes("1")), MakeRecord("\xc3\xa9", 0, ToBytes("2")),
        MakeRecord("[x]", 0, ToBytes("3")), MakeRecord("`", 0, ToBytes("4"))});
  EXPECT_EQ(db_.FindRecord("\xc9T\xc9"), -1);
  EXPECT_EQ(db_.FindRecord("\xe9T\xe9"), 0);
  EXPECT_EQ(db_.FindRecord("\xc3\x89"), -1);
  EXPECT_EQ(db_.FindRecord("{X}"), -1);
  EXPECT_EQ(db_.FindRecord("[X]"), 2);
  EXPECT_EQ(db_.FindRecord("@"), -1);
}

TEST_F(PxDbLookup, EarlierEntryWinsAmongKeysEqualApartFromCase) {
  Open({MakeRecord("Title", 1, ToBytes("first")), MakeRecord("title", 3, ToBytes("second")),
        MakeRecord("TITLE", 1, ToBytes("third"))});
  EXPECT_EQ(db_.FindRecord("title"), 0);
  EXPECT_EQ(db_.FindRecord("TITLE"), 0);
  TMemoryStream stream;
  ASSERT_TRUE(db_.ReadStream("TITLE", stream));
  EXPECT_EQ(stream.Bytes(), ToBytes("first"));
}

TEST_F(PxDbLookup, EmptyArchiveFindsNothing) {
  Open({});
  EXPECT_EQ(db_.RecordCount(), 0);
  EXPECT_EQ(db_.FindRecord("a"), -1);
  EXPECT_EQ(db_.RecordKey(0), "[invalid-record-#]");
}

TEST_F(PxDbLookup, WalkVisitsTheWantedKeysInTableOrderUntilAVisitStops) {
  Open({MakeRecord("font", 3, ToBytes("a")), MakeRecord("road0", 1, ToBytes("b")),
        MakeRecord("car0", 1, ToBytes("c")), MakeRecord("truck", 1, ToBytes("d"))});
  std::vector<std::string> visited;
  const auto images = [&](int index) { return db_.RecordType(index) == 1; };
  EXPECT_TRUE(WalkRecords(db_, images, [&](const std::string& key) {
    visited.push_back(key);
    return true;
  }));
  EXPECT_EQ(visited, (std::vector<std::string>{"road0", "car0", "truck"}));
  visited.clear();
  EXPECT_FALSE(WalkRecords(db_, images, [&](const std::string& key) {
    visited.push_back(key);
    return key != "car0";
  }));
  EXPECT_EQ(visited, (std::vector<std::string>{"road0", "car0"}));
}

TEST_F(PxDbLookup, WalkOfAnArchiveThatCannotOpenVisitsNothing) {
  db_.OpenMode = TOpenModes::opReadOnly;
  db_.SetFileName(dir_.File("missing.tvx"));
  bool visited = false;
  EXPECT_FALSE(WalkRecords(
      db_, [](int) { return true; }, [&](const std::string&) { return visited = true; }));
  EXPECT_FALSE(visited);
}

}  // namespace
}  // namespace tvx::test
