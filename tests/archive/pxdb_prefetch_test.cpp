// Reads after a prefetch: the same bytes and the same failures as plain reads, each record
// taken once, a file changed after the prefetch read as it is now, and damage told once.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "archive/PxDb.h"
#include "archive_test_util.h"

namespace tvx::test {
namespace {

Bytes Filled(std::size_t size, std::uint8_t seed) {
  Bytes data(size);
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(i * seed + i / 97);
  return data;
}

class PxDbPrefetchRead : public ::testing::Test {
 protected:
  void Write(const std::vector<RawRecord>& records) {
    WriteFileBytes(path_, BuildArchive(records).bytes);
  }
  bool Read(const std::string& key, Bytes& data) {
    TMemoryStream stream;
    const bool read = db_.ReadStream(key, stream);
    data = stream.Bytes();
    return read;
  }

  TempFolder dir_;
  std::string path_ = dir_.File("resources.tvx");
  TPxDb db_{nullptr};
};

TEST_F(PxDbPrefetchRead, GivesTheBytesAndFailuresOfPlainReads) {
  RawRecord lying = MakeRecord("lying", 1, Filled(5000, 3));
  lying.checksum[0] ^= 1;
  Write({MakeRecord("big", 1, Filled(300000, 7)), lying, MakeRecord("small", 2, ToBytes("x"))});
  db_.SetFileName(path_);
  db_.Prefetch();
  ASSERT_TRUE(db_.EnsureOpen());
  Bytes data;
  for (int pass = 0; pass < 2; ++pass) {  // the second pass reads without the prefetch
    EXPECT_TRUE(Read("big", data)) << pass;
    EXPECT_EQ(data, Filled(300000, 7)) << pass;
    EXPECT_FALSE(Read("lying", data)) << pass;
    EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsDigestMismatch) << pass;
    EXPECT_TRUE(Read("small", data)) << pass;
    EXPECT_EQ(data, ToBytes("x")) << pass;
  }
}

// The stored bytes a read hands over read back as the same data, with or without a prefetch,
// skipping ahead or not, and end where the data ends.
TEST_F(PxDbPrefetchRead, KeptStoredBytesReadBackAsTheData) {
  Write({MakeRecord("big", 1, Filled(300000, 7))});
  db_.SetFileName(path_);
  db_.Prefetch();
  ASSERT_TRUE(db_.EnsureOpen());
  for (int pass = 0; pass < 2; ++pass) {  // the second pass reads without the prefetch
    TMemoryStream stream;
    TStoredRecord stored;
    ASSERT_TRUE(db_.ReadStream("big", stream, stored)) << pass;
    EXPECT_LT(stored.bytes.size(), stream.Size()) << pass;
    TStoredRecordReader whole(stored);
    Bytes data(300000);
    ASSERT_TRUE(whole.ReadExact(data.data(), data.size())) << pass;
    EXPECT_EQ(data, stream.Bytes()) << pass;
    std::uint8_t past = 0;
    EXPECT_FALSE(whole.ReadExact(&past, 1)) << pass;

    TStoredRecordReader skipping(stored);
    ASSERT_TRUE(skipping.ReadExact(nullptr, 123457)) << pass;
    Bytes rest(300000 - 123457);
    ASSERT_TRUE(skipping.ReadExact(rest.data(), rest.size())) << pass;
    EXPECT_TRUE(std::equal(rest.begin(), rest.end(), data.begin() + 123457)) << pass;
  }
}

TEST_F(PxDbPrefetchRead, AFileChangedAfterThePrefetchIsReadAsItIsNow) {
  Write({MakeRecord("a", 1, Filled(4000, 5)), MakeRecord("b", 1, Filled(4000, 9)),
         MakeRecord("last", 1, ToBytes("end"))});
  db_.SetFileName(path_);
  db_.Prefetch();
  ASSERT_TRUE(db_.EnsureOpen());
  Bytes data;
  ASSERT_TRUE(Read("last", data));  // the prefetch has been through every record by now

  // "a" swapped for other bytes of the same size, "b" damaged in place.
  RawArchive changed =
      BuildArchive({MakeRecord("a", 1, Filled(4000, 11)), MakeRecord("b", 1, Filled(4000, 9)),
                    MakeRecord("last", 1, ToBytes("end"))});
  changed.bytes[changed.recordOffsets[1] + kRecordHeaderSize + 4] ^= 0x55;
  WriteFileBytes(path_, changed.bytes);
  EXPECT_TRUE(Read("a", data));
  EXPECT_EQ(data, Filled(4000, 11));
  EXPECT_FALSE(Read("b", data));
  EXPECT_NE(db_.LastReadStatus(), TReadStatus::rsOk);
}

TEST_F(PxDbPrefetchRead, OfAMissingFileChangesNothing) {
  db_.SetFileName(path_);
  db_.Prefetch();
  ASSERT_TRUE(db_.EnsureOpen());  // opUpdate writes the empty archive as ever
  EXPECT_EQ(ReadWholeFile(path_).size(), 12u);
  Bytes data;
  EXPECT_FALSE(Read("a", data));
  EXPECT_EQ(db_.LastReadStatus(), TReadStatus::rsKeyNotFound);
}

// What the prefetch tells, from its own thread.
struct DamageHeard {
  std::mutex mutex;
  std::condition_variable told;
  std::vector<std::string> lines;
  TDamageReport Report() {
    return [this](const std::string& damage) {
      std::lock_guard lock(mutex);
      lines.push_back(damage);
      told.notify_all();
    };
  }
  std::vector<std::string> Wait() {
    std::unique_lock lock(mutex);
    told.wait_for(lock, std::chrono::seconds(20), [this] { return !lines.empty(); });
    return lines;
  }
};

TEST_F(PxDbPrefetchRead, TellsTheFirstDamagedRecordOnceTheFileIsReadWhole) {
  RawRecord lying = MakeRecord("lying\x1b[2J", 1, Filled(5000, 3));
  lying.checksum[0] ^= 1;
  RawRecord short_ = MakeRecord("short", 1, Filled(5000, 4));
  short_.physSize += 1u << 20;
  Write({MakeRecord("fine", 1, Filled(300000, 7)), lying, short_});
  DamageHeard heard;
  db_.SetFileName(path_);
  db_.Prefetch(heard.Report());
  EXPECT_EQ(heard.Wait(),
            std::vector<std::string>{"the archive " + path_ +
                                     " is damaged: record 1 \"lying\\x1b[2J\": MD5 digest mismatch "
                                     "(and 1 more record)"});

  Write({MakeRecord("fine", 1, Filled(300000, 7)), MakeRecord("too", 1, ToBytes("x"))});
  DamageHeard none;
  db_.Prefetch(none.Report());
  Bytes data;
  ASSERT_TRUE(Read("too", data));
  db_.DropPrefetch();
  EXPECT_TRUE(none.lines.empty());

  WriteFileBytes(path_, ToBytes("PxDb garbage that is no table"));
  DamageHeard table;
  db_.Prefetch(table.Report());
  EXPECT_EQ(table.Wait(), std::vector<std::string>{"the archive " + path_ +
                                                   " is damaged: the record table or a record "
                                                   "header is damaged"});
}

}  // namespace
}  // namespace tvx::test
