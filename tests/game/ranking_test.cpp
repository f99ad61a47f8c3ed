// The ranking: the file format, the table's checks and insertion rule, and the ranking
// screen of a whole game reading, completing and writing the table.
#include <sys/stat.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/FileBytes.h"
#include "game/RankingFile.h"
#include "game/RankingTable.h"
#include "game_fixture.h"

namespace tvx::testing {
namespace {

using Lines = std::vector<std::string>;

std::string ReadBytes(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  return {bytes.begin(), bytes.end()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Deflate(const std::string& bytes) {
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size,
            reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uLong>(bytes.size()), 9);
  out.resize(size);
  return out;
}

Lines Table(std::initializer_list<std::pair<int, const char*>> entries) {
  Lines lines;
  for (const auto& [score, name] : entries)
    lines.insert(lines.end(), {std::to_string(score), name});
  return lines;
}

const Lines kSample = Table({{900, "ALICE "},
                             {700, "BOB      "},
                             {700, "CAROL "},
                             {500, "DAVE  "},
                             {400, "EVE   "},
                             {300, "FRANK "},
                             {200, "GRACE "},
                             {100, "HEIDI "},
                             {50, "IVAN  "},
                             {10, "JUDY  "}});

class RankingFileTest : public ::testing::Test {
 protected:
  TempFolder folder;
  const std::string path = folder.Path() + "ranking.rkg";
};

TEST_F(RankingFileTest, ScramblingIsItsOwnInverseAndUsesTheKeysLowByte) {
  std::string every;
  for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
  EXPECT_EQ(ScrambleRankingText(ScrambleRankingText(every)), every);
  EXPECT_EQ(static_cast<unsigned char>(ScrambleRankingText("0")[0]), (1739 - 1 - '0') % 256);
  EXPECT_EQ(static_cast<unsigned char>(ScrambleRankingText("\xff")[0]), (1739 - 1 - 255) % 256);
}

TEST_F(RankingFileTest, SavedTableLoadsAsTheSameTwentyLines) {
  const std::string text = RankingTextOf(kSample);
  ASSERT_TRUE(SaveRankingFile(text, path));
  const std::optional<std::string> loaded = LoadRankingFile(path);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(*loaded, text);
  EXPECT_EQ(RankingLinesOf(*loaded), kSample);
  // One zlib stream of the scrambled text, at the best compression, nothing around it.
  EXPECT_EQ(ReadBytes(path), Deflate(ScrambleRankingText(text)));
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

TEST_F(RankingFileTest, SaveReplacesTheFileAndFailsCleanlyWhereItCannotWrite) {
  ASSERT_TRUE(SaveRankingFile("old\r\n", path));
  ASSERT_TRUE(SaveRankingFile("new\r\n", path));
  EXPECT_EQ(LoadRankingFile(path), std::optional<std::string>("new\r\n"));
  const std::string nowhere = folder.Path() + "missing/ranking.rkg";
  EXPECT_FALSE(SaveRankingFile("x\r\n", nowhere));
  EXPECT_FALSE(std::filesystem::exists(nowhere + ".new"));
}

TEST_F(RankingFileTest, MissingDamagedOrOversizedFilesAreRefused) {
  EXPECT_FALSE(LoadRankingFile(path));
  WriteBytes(path, "");
  EXPECT_FALSE(LoadRankingFile(path));
  const std::string good = Deflate(ScrambleRankingText(RankingTextOf(kSample)));
  for (std::size_t cut = 1; cut < good.size(); ++cut) {
    WriteBytes(path, good.substr(0, cut));
    EXPECT_FALSE(LoadRankingFile(path)) << cut;
  }
  WriteBytes(path, good + "x");  // bytes after the stream
  EXPECT_FALSE(LoadRankingFile(path));
  std::string flipped = good;
  flipped[good.size() - 1] ^= 1;  // the Adler-32 check
  WriteBytes(path, flipped);
  EXPECT_FALSE(LoadRankingFile(path));
  WriteBytes(path, Deflate(std::string(5000, 'A')));  // far larger than any table
  EXPECT_FALSE(LoadRankingFile(path));
  WriteBytes(path, Deflate(std::string(4000, 'A')));
  EXPECT_TRUE(LoadRankingFile(path));
}

TEST(RankingTable, OnlyTwentyLinesOfScoresAndPrintableNamesAreATable) {
  EXPECT_TRUE(IsValidRanking(BlankRanking()));
  EXPECT_TRUE(IsValidRanking(kSample));
  EXPECT_EQ(RankingLinesOf(RankingTextOf(BlankRanking())), BlankRanking());
  Lines shorter = kSample;
  shorter.pop_back();
  EXPECT_FALSE(IsValidRanking(shorter));
  EXPECT_FALSE(IsValidRanking({}));
  for (const char* score : {"", "12a", "+5", " 5", "2147483648", "0x10", "1.5"}) {
    Lines bad = kSample;
    bad[4] = score;
    EXPECT_FALSE(IsValidRanking(bad)) << score;
  }
  Lines negative = kSample;
  negative[18] = "-40";  // collisions can cost more than a game earned
  EXPECT_TRUE(IsValidRanking(negative));
  for (const std::string& name :
       {std::string("AB\tC"), std::string(17, 'A'), std::string("\x80")}) {
    Lines bad = kSample;
    bad[5] = name;
    EXPECT_FALSE(IsValidRanking(bad)) << name;
  }
  EXPECT_EQ(RankingLinesOf("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(RankingLinesOf("a\r\n\r\nb"), (Lines{"a", "", "b"}));
}

TEST(RankingTable, NewScoreGoesAboveTheFirstEntryItEqualsOrBeats) {
  TGameState s;
  s.Ranking = kSample;
  s.FinalScore = 700;
  s.PlayerName = "NEW   ";
  InsertFinalScore(s);
  EXPECT_TRUE(s.RankInserted);
  EXPECT_EQ(s.Ranking, Table({{900, "ALICE "},
                              {700, "NEW   "},
                              {700, "BOB      "},
                              {700, "CAROL "},
                              {500, "DAVE  "},
                              {400, "EVE   "},
                              {300, "FRANK "},
                              {200, "GRACE "},
                              {100, "HEIDI "},
                              {50, "IVAN  "}}));
  const Lines after = s.Ranking;
  InsertFinalScore(s);  // once a game
  EXPECT_EQ(s.Ranking, after);
}

TEST(RankingTable, ZeroOnAZeroTableTakesTheTopAndTooLowAScoreIsNotEntered) {
  TGameState s;
  s.Ranking = BlankRanking();
  s.PlayerName = "ZED   ";
  InsertFinalScore(s);
  EXPECT_EQ(s.Ranking[0], "0");
  EXPECT_EQ(s.Ranking[1], "ZED   ");
  EXPECT_EQ(s.Ranking[3], "");

  TGameState low;
  low.Ranking = kSample;
  low.FinalScore = 9;
  low.PlayerName = "LOW   ";
  InsertFinalScore(low);
  EXPECT_FALSE(low.RankInserted);
  EXPECT_EQ(low.Ranking, kSample);
}

TEST(RankingTable, EveryEntryWithThisGamesScoreAndNameIsItsOwn) {
  TGameState s;
  s.Ranking = kSample;
  s.FinalScore = 300;
  s.PlayerName = "ANN   ";
  InsertFinalScore(s);
  s.RankInserted = false;  // a second game with the same result
  InsertFinalScore(s);
  EXPECT_EQ(s.Ranking[10], "300");
  EXPECT_EQ(s.Ranking[13], "ANN   ");
  std::vector<int> own;
  for (int i = 0; i < kRankingEntries; ++i) {
    if (IsOwnEntry(s, i)) own.push_back(i);
  }
  EXPECT_EQ(own, (std::vector<int>{5, 6}));
  s.PlayerName = "ANN";  // the name must match exactly, trailing spaces included
  EXPECT_FALSE(IsOwnEntry(s, 5));
}

// The ranking screen of a whole game, from the game-over screen on.
class RankingScreenFile : public GameTest {
 protected:
  const std::string path = folder.Path() + "ranking.rkg";

  void EndGameWith(int score) {
    harness->StartLevel();
    State().Score = score;
    State().DamageBar = std::string(31, '|');
    harness->RunPasses(2);
    ASSERT_TRUE(State().GameOver);
    Press(vk::Return);
    ASSERT_TRUE(State().RankingMode);
  }
  void Type(const std::string& keys) {
    for (char c : keys) Press(static_cast<std::uint16_t>(c));
  }
  Lines FileLines() {
    const std::optional<std::string> text = LoadRankingFile(path);
    return text ? RankingLinesOf(*text) : Lines{};
  }
};

TEST_F(RankingScreenFile, FirstRunStartsBlankAndKeepsTheTypedEntry) {
  EndGameWith(350);
  harness->RunPasses(1);
  EXPECT_EQ(State().Ranking, BlankRanking());
  EXPECT_EQ(FileLines(), BlankRanking());  // written before the name is complete
  Type("JO");
  Press(vk::Return);
  harness->RunPasses(2);
  EXPECT_TRUE(State().NameEntered);
  EXPECT_TRUE(State().RankInserted);
  EXPECT_EQ(State().Ranking[0], "350");
  EXPECT_EQ(State().Ranking[1], "JO      ");
  EXPECT_EQ(FileLines(), State().Ranking);
}

TEST_F(RankingScreenFile, TableIsReadOnceARun) {
  ASSERT_TRUE(SaveRankingFile(RankingTextOf(kSample), path));
  EndGameWith(600);
  harness->RunPasses(1);
  EXPECT_EQ(State().Ranking, kSample);
  Type("SAMUEL");
  harness->RunPasses(2);
  EXPECT_EQ(State().Ranking[6], "600");
  ASSERT_TRUE(SaveRankingFile(RankingTextOf(BlankRanking()), path));  // changed behind its back
  Press(vk::Escape);
  EndGameWith(60);
  Type("TOM");
  Press(vk::Return);
  harness->RunPasses(2);
  EXPECT_EQ(State().Ranking[6], "600");  // the table in memory, not the file
  EXPECT_EQ(State().Ranking[18], "60");
  EXPECT_EQ(State().Ranking[19], "TOM      ");
  // The file keeps what it held and gets this game's entry merged in.
  Lines merged = BlankRanking();
  merged[0] = "60";
  merged[1] = "TOM      ";
  EXPECT_EQ(FileLines(), merged);
}

// Two copies of the game played in turn on one ranking file, each reading the table once.
TEST_F(RankingScreenFile, TwoCopiesPlayedInTurnKeepEveryScore) {
  gfx::RecordingGraphicsApi otherGraphics;
  otherGraphics.SetLogging(false);
  GameHarness other(otherGraphics, folder.Path(), 60, {});
  other.Start();
  ASSERT_TRUE(other.State().DeviceReady);
  auto finish = [](GameHarness& game, int score, const std::string& name) {
    game.StartLevel();
    game.State().Score = score;
    game.State().DamageBar = std::string(31, '|');
    game.RunPasses(2);
    game.Press(vk::Return);
    for (char c : name) game.Press(static_cast<std::uint16_t>(c));
    game.RunPasses(3);
    game.Press(vk::Escape);
    game.RunPasses(2);
  };
  finish(*harness, 100, "ONEAAA");
  finish(other, 200, "TWOAAA");
  finish(*harness, 300, "ONEBBB");
  finish(other, 400, "TWOBBB");
  finish(*harness, 500, "ONECCC");
  finish(other, 600, "TWOCCC");
  const Lines file = FileLines();
  ASSERT_EQ(file.size(), 20u);
  EXPECT_EQ(Lines(file.begin(), file.begin() + 12), Table({{600, "TWOCCC"},
                                                           {500, "ONECCC"},
                                                           {400, "TWOBBB"},
                                                           {300, "ONEBBB"},
                                                           {200, "TWOAAA"},
                                                           {100, "ONEAAA"}}));
  // Each copy shows the rank its own table gives.
  EXPECT_EQ(State().Ranking[0], "500");
  EXPECT_EQ(other.State().Ranking[0], "600");
  EXPECT_EQ(other.State().Ranking[2], "400");
}

TEST_F(RankingScreenFile, AFileThatCannotBeReadIsLeftAloneAndSaidOnScreen) {
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);  // opening it for reading would block for good
  ::testing::internal::CaptureStderr();
  EndGameWith(70);
  Type("FIFOAA");
  harness->RunPasses(3);
  const std::string errors = ::testing::internal::GetCapturedStderr();
  std::error_code error;
  EXPECT_EQ(std::filesystem::status(path, error).type(), std::filesystem::file_type::fifo);
  EXPECT_FALSE(std::filesystem::exists(path + ".damaged"));
  EXPECT_EQ(State().Ranking[0], "70");
  EXPECT_NE(State().RankingNotice.find("unreadable"), std::string::npos) << State().RankingNotice;
  EXPECT_NE(errors.find("not a regular file"), std::string::npos) << errors;
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

TEST_F(RankingScreenFile, ATemporaryFileACrashLeftIsClearedAtTheNextRead) {
  WriteBytes(path + ".new", "");
  EndGameWith(30);
  harness->RunPasses(1);
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
  EXPECT_EQ(FileLines(), BlankRanking());
}

TEST_F(RankingScreenFile, DamagedFileIsSetAsideAndABlankTableUsed) {
  const std::string damaged = "not a ranking table";
  WriteBytes(path, damaged);
  EndGameWith(80);
  harness->RunPasses(1);
  EXPECT_EQ(State().Ranking, BlankRanking());
  EXPECT_EQ(ReadBytes(path + ".damaged"), damaged);
  EXPECT_EQ(FileLines(), BlankRanking());

  // A file that inflates but is no table of twenty lines fares the same.
  std::filesystem::remove(path + ".damaged");
  State().Ranking.clear();
  const std::string shortTable = Deflate(ScrambleRankingText("5\r\nAMY   \r\n"));
  WriteBytes(path, shortTable);
  harness->RunPasses(1);
  EXPECT_EQ(State().Ranking, BlankRanking());
  EXPECT_EQ(ReadBytes(path + ".damaged"), shortTable);
}

TEST_F(RankingScreenFile, TwoEntersInOneFrameCompleteTheNameOnceAndTheFileReadsBack) {
  EndGameWith(410);
  Type("ALICE");
  harness->app.QueueKey(vk::Return);  // the main and the keypad ENTER before the next frame
  harness->app.QueueKey(vk::Return);
  harness->RunPasses(2);
  EXPECT_EQ(State().Ranking[1], "ALICE      ");
  EXPECT_EQ(FileLines(), State().Ranking);
  EXPECT_TRUE(IsValidRanking(FileLines()));

  // A table the loader would refuse is never written: the file keeps the last good one.
  const Lines saved = State().Ranking;
  State().Ranking[3] = std::string(40, 'X');
  harness->RunPasses(1);
  EXPECT_EQ(FileLines(), saved);
}

TEST_F(RankingScreenFile, AFolderItCannotWriteLosesNothingOfTheTable) {
  std::filesystem::create_directory(path);  // a folder where the file should be
  EndGameWith(120);
  Type("ROBERT");
  harness->RunPasses(3);
  EXPECT_TRUE(State().RankInserted);
  EXPECT_EQ(State().Ranking[0], "120");
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

}  // namespace
}  // namespace tvx::testing
