// The ranking screen's work after its fixed texts: read the table once a run, complete the
// name, place the final score once a game, show the rows, and keep the file up to date.
#include <filesystem>

#include "game/RankingFile.h"
#include "game/RankingTable.h"
#include "game/Unit1.h"

namespace tvx {

namespace {
constexpr std::size_t kCompleteName = 6;
}  // namespace

void TForm1::RankingStep() {
  TGameState& s = state_;
  if (s.Ranking.empty()) LoadRanking();
  if (!s.NameEntered) {
    // The rows first appear on the frame after the name is complete.
    if (s.PlayerName.size() >= kCompleteName) s.NameEntered = true;
  } else {
    InsertFinalScore(s);
    DrawRankingRows();
  }
  SaveRanking();
}

std::string TForm1::RankingPath() const { return parts_.programFolder + "ranking.rkg"; }

void TForm1::LoadRanking() {
  const std::string path = RankingPath();
  const std::optional<std::string> text = LoadRankingFile(path);
  std::vector<std::string> lines = text ? RankingLinesOf(*text) : std::vector<std::string>{};
  if (!IsValidRanking(lines)) {
    // A damaged table is set aside instead of being overwritten by the next save, so that
    // nothing of it is lost; the game goes on with a blank one.
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) {
      std::filesystem::rename(path, path + ".damaged", error);
    }
    lines = BlankRanking();
  }
  state_.Ranking = std::move(lines);
}

// The text changes at most twice a game, so it is written when it differs from what the file
// was last given rather than on every frame; a failed write is tried again next frame.
void TForm1::SaveRanking() {
  // A table the loader would refuse is never written, so the next run cannot lose the file.
  if (!IsValidRanking(state_.Ranking)) return;
  const std::string text = RankingTextOf(state_.Ranking);
  if (text != savedRanking_ && SaveRankingFile(text, RankingPath())) savedRanking_ = text;
}

}  // namespace tvx
