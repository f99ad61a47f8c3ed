// Where a whole game keeps its ranking: beside a writable portable copy, otherwise in the
// user's data folder (XDG_DATA_HOME or ~/.local/share), and what the player is told when that
// folder cannot be written either.
#include <filesystem>
#include <fstream>

#include "app/GameLocations.h"
#include "game/RankingFile.h"
#include "game/RankingTable.h"
#include "game_fixture.h"

namespace tvx::testing {
namespace {

namespace fs = std::filesystem;

bool ReadOnly(const std::string&) { return false; }

class RankingPlace : public ::testing::Test {
 protected:
  void Launch(const LocationEnvironment& environment, bool (*writable)(const std::string&)) {
    graphics.SetLogging(false);
    const std::string archive = program.Path() + kArchiveFileName;
    ASSERT_TRUE(WriteTestArchive(archive));
    rankingPath = RankingPathFor(program.Path(), archive, environment, writable);
    harness = std::make_unique<GameHarness>(graphics, GameFiles{archive, rankingPath});
    harness->Start();
    ASSERT_TRUE(harness->State().DeviceReady);
  }
  // Plays to the ranking screen and completes a name, so the table changes and is saved.
  void FinishGame(int score, const std::string& name) {
    harness->StartLevel();
    harness->State().Score = score;
    harness->State().DamageBar = std::string(31, '|');
    harness->RunPasses(2);
    harness->Press(vk::Return);
    ASSERT_TRUE(harness->State().RankingMode);
    for (char c : name) harness->Press(static_cast<std::uint16_t>(c));
    harness->RunPasses(3);
  }
  std::vector<std::string> Saved(const std::string& path) {
    const std::optional<std::string> text = LoadRankingFile(path);
    return text ? RankingLinesOf(*text) : std::vector<std::string>{};
  }

  TempFolder program;
  TempFolder user;
  gfx::RecordingGraphicsApi graphics;
  std::unique_ptr<GameHarness> harness;
  std::string rankingPath;
};

TEST_F(RankingPlace, AWritableProgramFolderKeepsTheRankingBesideTheProgram) {
  Launch({"", user.Path() + "data", user.Path()}, IsWritableFolder);
  FinishGame(500, "PORTAB");
  EXPECT_EQ(Saved(program.Path() + kRankingFileName), harness->State().Ranking);
  EXPECT_FALSE(fs::exists(user.Path() + "data"));
}

TEST_F(RankingPlace, AReadOnlyProgramFolderUsesXdgDataHomeAndReadsItBack) {
  const std::string xdg = user.Path() + "xdg/data";
  Launch({"", xdg, user.Path() + "home"}, ReadOnly);
  FinishGame(400, "XDGONE");
  const std::string saved = xdg + "/tarvex/" + kRankingFileName;
  ASSERT_EQ(Saved(saved), harness->State().Ranking);
  EXPECT_EQ(harness->State().Ranking[0], "400");
  EXPECT_FALSE(fs::exists(program.Path() + kRankingFileName));
  EXPECT_TRUE(harness->State().RankingNotice.empty());

  // The next run reads the table from the same place.
  harness.reset();
  Launch({"", xdg, user.Path() + "home"}, ReadOnly);
  FinishGame(100, "XDGTWO");
  EXPECT_EQ(harness->State().Ranking[0], "400");
  EXPECT_EQ(harness->State().Ranking[2], "100");
}

TEST_F(RankingPlace, WithoutXdgDataHomeTheRankingGoesBelowHome) {
  Launch({"", "", user.Path()}, ReadOnly);
  FinishGame(300, "HOMEDR");
  EXPECT_EQ(Saved(user.Path() + ".local/share/tarvex/" + kRankingFileName),
            harness->State().Ranking);
}

TEST_F(RankingPlace, AnUnwritableDataFolderIsShownOnceOnScreenAndOnStderr) {
  const std::string blocked = user.Path() + "blocked";
  std::ofstream(blocked) << "a file where the folder would be";
  Launch({"", blocked, user.Path()}, ReadOnly);
  ::testing::internal::CaptureStderr();
  FinishGame(200, "NOSAVE");
  harness->State().Ranking[0] = "999";  // a second change: tried again, not said again
  harness->RunPasses(3);
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find(blocked + "/tarvex/ranking.rkg"), std::string::npos) << errors;
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  const std::string& notice = harness->State().RankingNotice;
  EXPECT_NE(notice.find("not saved"), std::string::npos) << notice;
  EXPECT_NE(notice.find("/blocked/tarvex"), std::string::npos) << notice;
  EXPECT_EQ(harness->State().Ranking[1], "NOSAVE");  // the table itself is kept in memory
}

TEST_F(RankingPlace, DamagedFilesSetAsideNeverReplaceEarlierOnes) {
  Launch({"", "", user.Path()}, IsWritableFolder);
  std::ofstream(rankingPath) << "first damage";
  std::ofstream(rankingPath + ".damaged") << "older";
  std::ofstream(rankingPath + ".damaged.1") << "oldest";
  FinishGame(10, "AFTERD");
  std::ifstream kept(rankingPath + ".damaged.2");
  std::string text;
  std::getline(kept, text);
  EXPECT_EQ(text, "first damage");
  EXPECT_EQ(DamagedFileName(rankingPath), rankingPath + ".damaged.3");
  EXPECT_EQ(Saved(rankingPath), harness->State().Ranking);
}

}  // namespace
}  // namespace tvx::testing
