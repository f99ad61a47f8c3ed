// The shipped recordings play to their end on the doubles and leave exactly the end state
// their expectation files hold. With TVX_UPDATE_EXPECTATIONS=1 (the
// update_replay_expectations target) the expectations are written instead of compared.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/TempFolder.h"
#include "harness/ReplaySession.h"
#include "harness/TestArchive.h"

namespace tvx::testing {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Shipped {
  const char* name;
  bool (*reached)(const TGameState&);  // what the recording was made to show
};

void PrintTo(const Shipped& shipped, std::ostream* out) { *out << shipped.name; }

class ShippedReplays : public ::testing::TestWithParam<Shipped> {};

TEST_P(ShippedReplays, PlayToTheExpectedEndState) {
  const std::string base = std::string(TVX_REPLAY_FOLDER) + "/" + GetParam().name;
  std::string error;
  const std::optional<replay::ReplayScript> script = replay::LoadReplay(base + ".replay", error);
  ASSERT_TRUE(script) << error;
  TempFolder folder;
  ASSERT_TRUE(WriteTestArchive(folder.Path() + "resources.tvx"));

  const ReplayOutcome outcome = PlayReplay(*script, folder.Path() + "resources.tvx");
  EXPECT_EQ(outcome.error, "");
  EXPECT_TRUE(GetParam().reached(outcome.state)) << outcome.endState;
  if (std::getenv("TVX_UPDATE_EXPECTATIONS") != nullptr) {
    std::ofstream(base + ".expected", std::ios::binary) << outcome.endState;
    return;
  }
  EXPECT_EQ(outcome.endState, ReadFile(base + ".expected"))
      << "the replay now ends elsewhere; if the change is meant, run the "
         "update_replay_expectations target and review the difference";
}

INSTANTIATE_TEST_SUITE_P(
    , ShippedReplays,
    ::testing::Values(
        Shipped{"lost_to_damage",
                [](const TGameState& s) { return s.GameOver && s.DamageBar.size() >= 31; }},
        Shipped{"reaches_level_3",
                [](const TGameState& s) { return s.Level == 3 && s.LevelRunning; }},
        Shipped{"jet_stars_repair_explosions", [](const TGameState& s) { return s.InGame; }},
        Shipped{"ranking_entry",
                [](const TGameState& s) { return s.RankingMode && s.NameEntered; }}),
    [](const ::testing::TestParamInfo<Shipped>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tvx::testing
