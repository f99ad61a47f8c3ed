// A game recorded through the decorators plays back to the very same end state; a damaged
// replay is refused with its line, and one that no longer matches the program stops with
// a message that says where, without crashing.
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "core/TempFolder.h"
#include "harness/ReplaySession.h"
#include "harness/TestArchive.h"
#include "platform/KeyboardDevice.h"
#include "platform/replay/ReplayScript.h"

namespace tvx::testing {
namespace {

class RecordedGame : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteTestArchive(archive()));
    RecordingSession game(folder.Path(), folder.Path() + "game.replay");
    ASSERT_TRUE(game.Recording());
    game.app.ClickStart();
    game.Frames(20);
    game.Press(vk::Return);
    game.Frames(200);
    game.keyboard.SetKeyDown(dik::Left, true);
    game.Frames(60);
    game.app.QueueDeactivate();
    game.app.QueueRestore();
    game.Press(vk::Return);  // pause
    game.Frames(40);
    game.Press(vk::Return);
    game.keyboard.SetKeyDown(dik::Left, false);
    game.keyboard.SetKeyDown(dik::Right, true);
    game.Frames(300);
    recordedFrames = game.app.Passes();
    game.Press(vk::Escape);
    game.Frames(10);
    game.Press(vk::Escape);  // quits from the title
    ASSERT_TRUE(game.app.Terminated());
    std::string error;
    ASSERT_TRUE(game.Finish(error)) << error;
    recordedState = DescribeEndState(game.Form(), game.audio, game.graphics, {}, folder.Path());
    std::ifstream in(folder.Path() + "game.replay");
    std::ostringstream text;
    text << in.rdbuf();
    recording = text.str();
  }

  std::string archive() const { return folder.Path() + "resources.tvx"; }

  ReplayOutcome Play(const std::string& text) {
    std::string error;
    const std::optional<replay::ReplayScript> script = replay::ParseReplay(text, "game", error);
    EXPECT_TRUE(script) << error;
    return script ? PlayReplay(*script, archive()) : ReplayOutcome{};
  }

  TempFolder folder;
  std::string recording;
  std::string recordedState;
  std::uint64_t recordedFrames = 0;
};

TEST_F(RecordedGame, PlaysBackToTheSameEndStateFromASmallFile) {
  const ReplayOutcome outcome = Play(recording);
  EXPECT_EQ(outcome.error, "");
  EXPECT_EQ(outcome.endState, recordedState);
  EXPECT_GE(outcome.frames, recordedFrames);
  // Steady stretches are counted, not repeated: far fewer lines than frames.
  const auto lines = std::count(recording.begin(), recording.end(), '\n');
  EXPECT_LT(lines, static_cast<long>(outcome.frames));
}

TEST_F(RecordedGame, StopsWhereTheProgramNoLongerMatches) {
  // A key-down the recording never had: the game reads the clock where it did not.
  std::string changed = recording;
  const std::size_t enter = changed.find("key 13\n");
  ASSERT_NE(enter, std::string::npos);
  changed.replace(enter, 7, "key 27\n");
  const ReplayOutcome outcome = Play(changed);
  EXPECT_NE(outcome.error.find("no longer matches the program at game:"), std::string::npos)
      << outcome.error;
  EXPECT_NE(outcome.error.find("frame"), std::string::npos) << outcome.error;

  // A recording cut off in the middle, where the game waits for an answer: a damaged file,
  // not a program that plays differently.
  const ReplayOutcome cut = Play(recording.substr(0, recording.rfind("\nf\n") + 3));
  EXPECT_NE(cut.error.find("breaks off"), std::string::npos) << cut.error;
}

TEST_F(RecordedGame, ATimerThatIsStoppedInTheProgramCannotFire) {
  std::string changed = recording;
  const std::size_t start = changed.find("start\n");
  ASSERT_NE(start, std::string::npos);
  changed.insert(start, "timer 2\n");
  const ReplayOutcome outcome = Play(changed);
  EXPECT_NE(outcome.error.find("window timer 2 fires in the recording"), std::string::npos)
      << outcome.error;
}

TEST(ReplayFile, DamagedFilesAreRefusedWithTheirLine) {
  const std::string header = "tarvex-replay 1\nranking none\n";
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"PK\x03\x04", "game:1: this is not a Tarvex replay"},
      {"tarvex-replay 2\nranking none\n", "game:1: 'tarvex-replay 2' is not a version"},
      {"tarvex-replay 1\nranking 0g\n", "game:2: the ranking line is damaged"},
      {"tarvex-replay 1\n", "game:2: the ranking line is missing"},
      {header + "start\nwarp 9\n", "game:4: unknown entry 'warp'"},
      {header + "key 70000\n", "game:3: 'key 70000' has a missing or out-of-range number"},
      {header + "c 1 2\n", "game:3: 'c 1 2' has more than it should"},
      {header + "k 0 c8 1ff\n", "game:3: '1ff' is not a key code"},
      {header + "i dance 0\n", "game:3: unknown keyboard call 'dance'"},
      {header + "refresh 60\nrepeat 3\n", "game:4: a repetition follows no action"},
      {header + "f\nrepeat 0\n", "game:4: 'repeat 0' has a missing or out-of-range number"},
      {header + "f\n" + std::string(2000, 'x') + "\n", "game:4: the line is too long"},
      {header + "f\nrepeat 90000000\n", "game:4: longer than any recorded game"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(replay::ParseReplay(c.text, "game", error)) << c.text;
    EXPECT_EQ(error.substr(0, c.message.size()), c.message) << error;
  }
  std::string error;
  EXPECT_FALSE(replay::LoadReplay("/nonexistent/game.replay", error));
  EXPECT_EQ(error, "/nonexistent/game.replay: no such file");
}

TEST(ReplayFile, ControlCharactersOfTheFileAreShownEscaped) {
  std::string error;
  EXPECT_FALSE(replay::ParseReplay("tarvex-replay 1\x1b[2J\x07\nranking none\n", "game", error));
  EXPECT_EQ(error.find('\x1b'), std::string::npos) << error;
  EXPECT_NE(error.find("'tarvex-replay 1\\x1b[2J\\x07'"), std::string::npos) << error;
}

TEST(ReplayFile, AnAcceptedReplayHoldsLittleMoreThanItsText) {
  std::string text = "tarvex-replay 1\nranking none\n";
  for (int i = 0; i < (1 << 21); ++i) text += "f\n";  // 4 MB of the shortest entry lines
  text += "end\n";
  const std::size_t before = mallinfo2().uordblks;
  if (before == 0) GTEST_SKIP() << "no malloc statistics under this allocator";
  std::string error;
  const std::optional<replay::ReplayScript> script = replay::ParseReplay(text, "game", error);
  ASSERT_TRUE(script) << error;
  EXPECT_LT(mallinfo2().uordblks - before, 2 * text.size());
}

TEST(ReplayFile, AFifoInTheReplaysPlaceIsRefusedWithoutWaiting) {
  TempFolder folder;
  const std::string fifo = folder.File("game.replay");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string error;
  EXPECT_FALSE(replay::LoadReplay(fifo, error));
  EXPECT_EQ(error, fifo + ": not a regular file");
}

}  // namespace
}  // namespace tvx::testing
