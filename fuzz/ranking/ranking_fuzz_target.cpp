// Fuzz target for the ranking file: the input becomes ranking.rkg, which is loaded; a text
// that passes as a table gets a score placed in it, is saved and must load back unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/RankingFile.h"
#include "game/RankingTable.h"

namespace {

// One scratch file per process, memory-backed where possible (see the archive target).
const std::string& ScratchPath() {
  static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                  "/tvx_ranking_fuzz_" + std::to_string(getpid());
  return path;
}

void CheckTable(const std::string& path) {
  const std::optional<std::string> text = tvx::LoadRankingFile(path);
  if (!text) return;
  tvx::TGameState state;
  state.Ranking = tvx::RankingLinesOf(*text);
  if (!tvx::IsValidRanking(state.Ranking)) return;
  state.FinalScore = tvx::RankingScore(state.Ranking, 4);
  state.PlayerName = "FUZZ  ";
  tvx::InsertFinalScore(state);
  if (!state.RankInserted || !tvx::IsValidRanking(state.Ranking)) std::abort();
  const std::string saved = tvx::RankingTextOf(state.Ranking);
  if (!tvx::SaveRankingFile(saved, path) || tvx::LoadRankingFile(path) != saved) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
  if (file == nullptr) return 0;
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) == 0 && written) CheckTable(ScratchPath());
  std::remove(ScratchPath().c_str());
  return 0;
}
