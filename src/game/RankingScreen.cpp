// The ranking screen's work after its fixed texts: read the table once a run, complete the
// name, place the final score once a game, show the rows, and keep the file up to date.
#include <cstdio>
#include <filesystem>

#include "game/Form1.h"
#include "game/RankingFile.h"
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
    InsertFinalScore(s);
    DrawRankingRows();
  }
  SaveRanking();
}

std::string TForm1::RankingPath() const { return parts_.rankingPath; }

void TForm1::LoadRanking() {
  const std::string path = RankingPath();
  const std::optional<std::string> text = LoadRankingFile(path);
  std::vector<std::string> lines = text ? RankingLinesOf(*text) : std::vector<std::string>{};
  if (!IsValidRanking(lines)) {
    // A damaged table is set aside instead of being overwritten by the next save, so that
    // nothing of it is lost; the game goes on with a blank one.
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) {
      std::filesystem::rename(path, DamagedFileName(path), error);
    }
    lines = BlankRanking();
  }
  state_.Ranking = std::move(lines);
}

// The text changes at most twice a game, so it is written when it differs from what the file
// was last given rather than on every frame. A failed write is said once, on stderr and on the
// screen, and tried again when the table changes, not every frame.
void TForm1::SaveRanking() {
  // A table the loader would refuse is never written, so the next run cannot lose the file.
  if (!IsValidRanking(state_.Ranking)) return;
  const std::string text = RankingTextOf(state_.Ranking);
  if (text == savedRanking_ || text == failedRanking_) return;
  const std::filesystem::path path = RankingPath();
  std::error_code folderError;
  std::filesystem::create_directories(path.parent_path(), folderError);
  std::string reason = folderError.message();
  if (!folderError && SaveRankingFile(text, path.string(), &reason)) {
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
  state_.RankingNotice = "Ranking not saved in " + ShortenedFolder(path.parent_path().string());
}

}  // namespace tvx
