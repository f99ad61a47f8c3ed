// The ranking fuzz target's replay: a saved table, damaged in every way the replay driver
// knows.
#include <cstdio>
#include <filesystem>

#include "core/FileBytes.h"
#include "game/RankingFile.h"
#include "game/RankingTable.h"
#include "replay_driver.h"

namespace {

tvx::fuzz::Bytes SeedFile() {
  const std::string path =
      (std::filesystem::temp_directory_path() / "tvx_ranking_fuzz_seed.rkg").string();
  std::vector<std::string> lines = tvx::BlankRanking();
  lines[0] = "2140";
  lines[1] = "ACE      ";
  if (!tvx::SaveRankingFile(tvx::RankingTextOf(lines), path)) return {};
  tvx::fuzz::Bytes bytes = tvx::ReadWholeFile(path);
  std::remove(path.c_str());
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  return tvx::fuzz::ReplayMain(argc, argv,
                               {.seeds = {SeedFile()},
                                .fieldValues = {0, 1, 0x7FFFFFFF, 0xFFFFFFFF, 0x0D0A0D0A},
                                .mutatorSeed = 0x52616E6B00000001ull});
}
