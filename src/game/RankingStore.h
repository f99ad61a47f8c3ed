// The ranking file shared by every copy of the game the player runs. Each copy reads it once a
// run; a save takes the table as it is on disk at that moment and merges this copy's new
// entries into it, under an advisory lock beside the file that the other copies respect, so
// that no entry another copy saved is ever dropped. A damaged file (read, but no table) is set
// aside as .damaged, .damaged.1, ...; a file that cannot be read is left as it is and never
// written over.
#pragma once

#include <string>
#include <vector>

namespace tvx {

struct RankingEntry {
  int score = 0;
  std::string name;
};

enum class RankingSource { Table, Missing, Damaged, Unreadable };

// The table the file holds now; a blank one when it is missing, damaged or unreadable, with
// `reason` set for the last two. A temporary file a crashed save left behind is removed.
struct StoredRanking {
  RankingSource source = RankingSource::Missing;
  std::vector<std::string> lines;
  std::string reason;
};
StoredRanking LoadStoredRanking(const std::string& path);

enum class RankingSave { Saved, Unreadable, Failed };

// Merges `entries` into the table on disk (blank when missing or damaged) and writes it back
// when that changes it or the file was no table. Unreadable and Failed set `reason`.
RankingSave MergeIntoStoredRanking(const std::string& path,
                                   const std::vector<RankingEntry>& entries, std::string& reason);

// The lock file beside the ranking.
std::string RankingLockName(const std::string& path);

}  // namespace tvx
