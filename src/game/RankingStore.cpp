#include "game/RankingStore.h"

#include <unistd.h>

#include <filesystem>

#include "core/FileLock.h"
#include "game/RankingFile.h"
#include "game/RankingTable.h"

namespace tvx {
namespace {

// What the file holds; a damaged one is set aside when `lock` is held, so that a copy never
// moves a table another copy is writing at that moment.
StoredRanking ReadStored(const std::string& path, const FileLock& lock) {
  StoredRanking stored;
  const RankingFileText file = ReadRankingFile(path);
  stored.reason = file.reason;
  stored.source = file.read == FileRead::Missing  ? RankingSource::Missing
                  : file.read == FileRead::Failed ? RankingSource::Unreadable
                                                  : RankingSource::Table;
  if (file.text) stored.lines = RankingLinesOf(*file.text);
  if (stored.source == RankingSource::Table && !IsValidRanking(stored.lines)) {
    stored.source = RankingSource::Damaged;
    stored.reason = "not a ranking table";
    if (lock.Held()) {
      std::error_code error;
      std::filesystem::rename(path, DamagedFileName(path), error);
    }
  }
  if (stored.source != RankingSource::Table) stored.lines = BlankRanking();
  return stored;
}

}  // namespace

std::string RankingLockName(const std::string& path) { return path + ".lock"; }

StoredRanking LoadStoredRanking(const std::string& path) {
  // Without the lock (a read-only folder) the file is still read, but nothing is moved.
  const FileLock lock(RankingLockName(path));
  if (lock.Held()) unlink(TemporaryRankingName(path).c_str());
  return ReadStored(path, lock);
}

RankingSave MergeIntoStoredRanking(const std::string& path,
                                   const std::vector<RankingEntry>& entries, std::string& reason) {
  std::error_code folderError;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), folderError);
  if (folderError) {
    reason = folderError.message();
    return RankingSave::Failed;
  }
  const FileLock lock(RankingLockName(path));
  if (!lock.Held()) {
    reason = lock.Reason();
    return RankingSave::Failed;
  }
  StoredRanking stored = ReadStored(path, lock);
  if (stored.source == RankingSource::Unreadable) {
    reason = "it cannot be read (" + stored.reason + ") and is not written over";
    return RankingSave::Unreadable;
  }
  const std::string before = RankingTextOf(stored.lines);
  for (const RankingEntry& entry : entries)
    InsertRankingEntry(stored.lines, entry.score, entry.name);
  const std::string after = RankingTextOf(stored.lines);
  if (stored.source == RankingSource::Table && after == before) return RankingSave::Saved;
  return SaveRankingFile(after, path, &reason) ? RankingSave::Saved : RankingSave::Failed;
}

}  // namespace tvx
