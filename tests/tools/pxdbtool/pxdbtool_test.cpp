// The modding tool, run as a process the way people use it: pack, list and extract, and the
// refusals that keep a hostile archive or a bad manifest from doing harm.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "archive_test_util.h"
#include "archive_writer/pxdb_writer.h"
#include "pxdbtool/manifest.h"
#include "pxdbtool/record_path.h"

namespace tvx::test {
namespace {

struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

class PxDbTool : public ::testing::Test {
 protected:
  ToolRun Run(const std::string& arguments) {
    const std::string outPath = dir_.File("stdout.txt");
    const std::string errPath = dir_.File("stderr.txt");
    const std::string command =
        Quoted(PXDBTOOL_PATH) + " " + arguments + " >" + Quoted(outPath) + " 2>" + Quoted(errPath);
    const int status = std::system(command.c_str());
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const Bytes out = ReadWholeFile(outPath);
    const Bytes err = ReadWholeFile(errPath);
    run.out.assign(out.begin(), out.end());
    run.err.assign(err.begin(), err.end());
    return run;
  }

  std::string Folder(const std::string& name) {
    std::filesystem::create_directories(std::filesystem::path(dir_.File(name)));
    return dir_.File(name);
  }

  TempFolder dir_;
};

TEST_F(PxDbTool, PackListExtractGivesTheSameBytesBack) {
  const std::string in = Folder("in");
  Bytes picture(20000);
  for (std::size_t i = 0; i < picture.size(); ++i)
    picture[i] = static_cast<std::uint8_t>(i * i >> 3);
  WriteFileBytes(in + "/road0", picture);
  std::filesystem::create_directories(in + "/sounds");
  WriteFileBytes(in + "/sounds/crash.mp3", ToBytes("not really mp3"));
  WriteFileBytes(in + "/manifest.txt", ToBytes("# the road\n1 road0\r\n\n0 sounds/crash.mp3\n"));
  const std::string archive = dir_.File("resources.tvx");

  ToolRun pack = Run("pack " + Quoted(in) + " " + Quoted(archive));
  ASSERT_EQ(pack.exitCode, 0) << pack.err;

  ToolRun list = Run("list " + Quoted(archive));
  ASSERT_EQ(list.exitCode, 0) << list.err;
  EXPECT_NE(list.out.find("0      1     " + std::to_string(picture.size())), std::string::npos)
      << list.out;
  EXPECT_NE(list.out.find("ok      sounds/crash.mp3"), std::string::npos) << list.out;
  EXPECT_EQ(list.out.find("BAD"), std::string::npos);

  const std::string out = dir_.File("out");
  ToolRun extract = Run("extract " + Quoted(archive) + " " + Quoted(out));
  ASSERT_EQ(extract.exitCode, 0) << extract.err;
  EXPECT_EQ(ReadWholeFile(out + "/road0"), picture);
  EXPECT_EQ(ReadWholeFile(out + "/sounds/crash.mp3"), ToBytes("not really mp3"));

  // The manifest written by extract packs the same archive again, byte for byte.
  const std::string repacked = dir_.File("again.tvx");
  ASSERT_EQ(Run("pack " + Quoted(out) + " " + Quoted(repacked)).exitCode, 0);
  EXPECT_EQ(ReadWholeFile(repacked), ReadWholeFile(archive));
}

TEST_F(PxDbTool, ExtractsOneRecordByKeyWithCaseFolding) {
  PxDbWriter writer;
  writer.Add("a", 1, ToBytes("first"));
  writer.Add("b", 1, ToBytes("second"));
  std::string error;
  ASSERT_TRUE(writer.WriteFile(dir_.File("x.tvx"), error));
  const std::string out = dir_.File("one");
  ASSERT_EQ(Run("extract " + Quoted(dir_.File("x.tvx")) + " " + Quoted(out) + " B").exitCode, 0);
  EXPECT_EQ(ReadWholeFile(out + "/b"), ToBytes("second"));
  EXPECT_FALSE(std::filesystem::exists(out + "/a"));
  ToolRun missing = Run("extract " + Quoted(dir_.File("x.tvx")) + " " + Quoted(out) + " c");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("no record \"c\""), std::string::npos) << missing.err;
}

TEST_F(PxDbTool, ListMarksARecordWithABadDigest) {
  RawRecord good = MakeRecord("good", 1, ToBytes("fine"));
  RawRecord bad = MakeRecord("bad", 1, ToBytes("tampered"));
  bad.checksum[0] ^= 0xFF;
  WriteFileBytes(dir_.File("x.tvx"), BuildArchive({good, bad}).bytes);
  ToolRun list = Run("list " + Quoted(dir_.File("x.tvx")));
  EXPECT_EQ(list.exitCode, 1);
  EXPECT_NE(list.out.find("ok      good"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("BAD     bad"), std::string::npos) << list.out;
  EXPECT_NE(list.err.find("MD5 digest mismatch"), std::string::npos) << list.err;
  ToolRun extract = Run("extract " + Quoted(dir_.File("x.tvx")) + " " + Quoted(dir_.File("o")));
  EXPECT_EQ(extract.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("o/bad")));
  EXPECT_EQ(ReadWholeFile(dir_.File("o/good")), ToBytes("fine"));
}

TEST_F(PxDbTool, ExtractRefusesKeysThatEscapeTheFolder) {
  PxDbWriter writer;
  writer.Add("../escaped", 1, ToBytes("x"));
  writer.Add(dir_.File("absolute"), 1, ToBytes("x"));
  writer.Add("sub/../../escaped2", 1, ToBytes("x"));
  writer.Add("manifest.txt", 1, ToBytes("x"));
  writer.Add("fine", 1, ToBytes("kept"));
  std::string error;
  ASSERT_TRUE(writer.WriteFile(dir_.File("evil.tvx"), error));
  const std::string out = Folder("deep/out");
  ToolRun extract = Run("extract " + Quoted(dir_.File("evil.tvx")) + " " + Quoted(out));
  EXPECT_EQ(extract.exitCode, 1);
  EXPECT_NE(extract.err.find("refused"), std::string::npos) << extract.err;
  EXPECT_FALSE(std::filesystem::exists(dir_.File("deep/escaped")));
  EXPECT_FALSE(std::filesystem::exists(dir_.File("escaped2")));
  EXPECT_FALSE(std::filesystem::exists(dir_.File("absolute")));
  EXPECT_EQ(ReadWholeFile(out + "/fine"), ToBytes("kept"));
  EXPECT_EQ(ReadWholeFile(out + "/manifest.txt"), ToBytes("1 fine\n"));
  ToolRun one = Run("extract " + Quoted(dir_.File("evil.tvx")) + " " + Quoted(out) + " ../ESCAPED");
  EXPECT_EQ(one.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("deep/escaped")));
}

TEST_F(PxDbTool, BadInputGivesAMessageAndAFailingExitCode) {
  ToolRun usage = Run("frobnicate");
  EXPECT_EQ(usage.exitCode, 2);
  EXPECT_NE(usage.err.find("usage:"), std::string::npos);

  ToolRun missing = Run("list " + Quoted(dir_.File("missing.tvx")));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("not a readable archive"), std::string::npos) << missing.err;
  EXPECT_FALSE(std::filesystem::exists(dir_.File("missing.tvx")));

  WriteFileBytes(dir_.File("junk.tvx"), ToBytes("PxDb\xff\xff\xff\xff"));
  EXPECT_EQ(Run("list " + Quoted(dir_.File("junk.tvx"))).exitCode, 1);

  const std::string in = Folder("in");
  EXPECT_EQ(Run("pack " + Quoted(in) + " " + Quoted(dir_.File("a.tvx"))).exitCode, 1);
  WriteFileBytes(in + "/manifest.txt", ToBytes("1 present\n1 absent\n"));
  WriteFileBytes(in + "/present", ToBytes("x"));
  ToolRun pack = Run("pack " + Quoted(in) + " " + Quoted(dir_.File("a.tvx")));
  EXPECT_EQ(pack.exitCode, 1);
  EXPECT_NE(pack.err.find("line 2"), std::string::npos) << pack.err;
  EXPECT_FALSE(std::filesystem::exists(dir_.File("a.tvx")));
}

TEST(PxDbToolManifest, ParsesTypeAndKeyAndSkipsCommentsAndBlankLines) {
  std::istringstream in("# header\n\n1 road0\r\n65535 key with spaces\n0 sub/dir/file.ogg\n");
  std::vector<TManifestEntry> entries;
  std::vector<std::string> errors;
  ASSERT_TRUE(ParseManifest(in, entries, errors));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].recordType, 1);
  EXPECT_EQ(entries[0].key, "road0");
  EXPECT_EQ(entries[0].line, 3);
  EXPECT_EQ(entries[1].recordType, 65535);
  EXPECT_EQ(entries[1].key, "key with spaces");
  EXPECT_EQ(entries[2].key, "sub/dir/file.ogg");
}

TEST(PxDbToolManifest, ReportsEveryBadLine) {
  std::istringstream in("road0\n-1 a\n65536 b\n1x c\n 1 d\n1 \n1 ok\n1 OK\n");
  std::vector<TManifestEntry> entries;
  std::vector<std::string> errors;
  EXPECT_FALSE(ParseManifest(in, entries, errors));
  ASSERT_EQ(errors.size(), 7u);
  EXPECT_EQ(errors[0].rfind("line 1: ", 0), 0u);
  EXPECT_NE(errors[6].find("repeats line 7"), std::string::npos);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].key, "ok");
}

TEST(PxDbToolRecordPath, AcceptsRelativePathsOnly) {
  std::string reason;
  for (const char* key : {"a", "sub/b.png", "x..y", ".hidden", "a b"}) {
    EXPECT_TRUE(IsSafeRecordPath(key, reason)) << key << ": " << reason;
  }
  for (const char* key : {"", "/etc/passwd", "..", "../x", "a/../../x", "a/./b", "a//b", "a/",
                          "a\\b", "manifest.txt"}) {
    EXPECT_FALSE(IsSafeRecordPath(key, reason)) << key;
  }
  EXPECT_FALSE(IsSafeRecordPath(std::string("a\0b", 3), reason));
}

}  // namespace
}  // namespace tvx::test
