// The ranking screen's work after its fixed texts: read the table once a run, complete the
// name, place the final score once a game, show the rows, and keep the file up to date.
#include <cstdio>
#include <filesystem>

#include "game/Form1.h"
#include "game/RankingStore.h"
#include "game/RankingTable.h"

namespace tvx {

namespace {
constexpr std::size_t kCompleteName = 6;
constexpr std::size_t kShownFolderLength = 28;  // what fits left of the table's rows

// The end of a long folder name says most about where it is.
std::string ShortenedFolder(const std::string& folder) {
  if (folder.size() <= kShownFolderLength) return folder;
  return "..." + folder.substr(folder.size() - kShownFolderLength + 3);
}
}  // namespace

void TForm1::RankingStep() {
  TGameState& s = state_;
  if (s.Ranking.empty()) LoadRanking();
  if (!s.NameEntered) {
    // The rows first appear on the frame after the name is complete.
    if (s.PlayerName.size() >= kCompleteName) s.NameEntered = true;
  } else {
    const bool placed = s.RankInserted;
    InsertFinalScore(s);
    if (!placed && s.RankInserted) unsavedEntries_.push_back({s.FinalScore, s.PlayerName});
    DrawRankingRows();
  }
  SaveRanking();
}

std::string TForm1::RankingPath() const { return parts_.rankingPath; }

void TForm1::LoadRanking() {
  // A file that cannot be read gives a blank table here; the save that follows says why.
  state_.Ranking = LoadStoredRanking(RankingPath()).lines;
}

// The table changes at most twice a game, so the file is written when the table differs from
// what it was last given rather than on every frame. The file gets this run's new entries
// merged into what it holds then; the screen keeps this run's own table. A failed write is said
// once, on stderr and on the screen, and tried again when the table changes, not every frame.
void TForm1::SaveRanking() {
  // A table the loader would refuse is never written, so the next run cannot lose the file.
  if (!IsValidRanking(state_.Ranking)) return;
  const std::string text = RankingTextOf(state_.Ranking);
  if (text == savedRanking_ || text == failedRanking_) return;
  const std::filesystem::path path = RankingPath();
  std::string reason;
  const RankingSave result = MergeIntoStoredRanking(path.string(), unsavedEntries_, reason);
  if (result == RankingSave::Saved) {
    unsavedEntries_.clear();
    savedRanking_ = text;
    failedRanking_.clear();
    state_.RankingNotice.clear();
    return;
  }
  if (failedRanking_.empty()) {
    std::fprintf(stderr, "tarvex: the ranking could not be saved to %s: %s\n", path.c_str(),
                 reason.c_str());
  }
  failedRanking_ = text;
  const std::string folder = ShortenedFolder(path.parent_path().string());
  state_.RankingNotice = result == RankingSave::Unreadable ? "Ranking unreadable in " + folder
                                                           : "Ranking not saved in " + folder;
}

}  // namespace tvx
