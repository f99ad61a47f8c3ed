#include <filesystem>
#include <fstream>
#include <set>

#include "archive/RecordKey.h"
#include "core/FileBytes.h"
#include "pxdbtool/archive_open.h"
#include "pxdbtool/commands.h"
#include "pxdbtool/manifest.h"
#include "pxdbtool/record_path.h"

namespace tvx {

namespace {

bool ExtractRecord(TPxDb& db, int index, const std::filesystem::path& folder, std::ostream& err) {
  const std::string key = db.RecordKey(index);
  std::string reason;
  if (!IsSafeRecordPath(key, reason)) {
    err << "record " << index << " \"" << key << "\": refused, " << reason << '\n';
    return false;
  }
  TMemoryStream data;
  if (!db.ReadStreamAt(index, data)) {
    err << ReadFailureMessage(db, index) << '\n';
    return false;
  }
  std::string error;
  if (!WriteFileBytes(folder / key, data.Memory(), data.Size(), error)) {
    err << error << '\n';
    return false;
  }
  return true;
}

}  // namespace

int ExtractArchive(const std::string& archive, const std::string& folder, const std::string& key,
                   std::ostream& out, std::ostream& err) {
  TPxDb db(nullptr);
  if (!OpenArchiveForReading(db, archive, err)) return 1;
  std::error_code code;
  std::filesystem::create_directories(folder, code);
  if (!std::filesystem::is_directory(folder)) {
    err << folder << ": cannot create the folder\n";
    return 1;
  }
  if (!key.empty()) {
    const int index = db.FindRecord(key);
    if (index < 0) {
      err << archive << ": no record \"" << key << "\"\n";
      return 1;
    }
    return ExtractRecord(db, index, folder, err) ? 0 : 1;
  }

  // Every record, plus the manifest that packs the folder back into the same archive.
  std::string manifest;
  std::set<std::string> foldedKeys;
  int extracted = 0;
  int failed = 0;
  for (int index = 0; index < db.RecordCount(); ++index) {
    const std::string recordKey = db.RecordKey(index);
    const int recordType = db.RecordType(index);
    if (!foldedKeys.insert(FoldRecordKey(recordKey)).second) {
      err << "record " << index << " \"" << recordKey
          << "\": skipped, its key repeats an earlier one (letter case ignored), so the game "
             "never reads it\n";
      ++failed;
      continue;
    }
    if (!ExtractRecord(db, index, folder, err)) {
      ++failed;
      continue;
    }
    manifest += ManifestLine(static_cast<std::uint16_t>(recordType), recordKey) + '\n';
    ++extracted;
  }
  std::string error;
  if (!WriteFileBytes(std::filesystem::path(folder) / kManifestName,
                      reinterpret_cast<const std::uint8_t*>(manifest.data()), manifest.size(),
                      error)) {
    err << error << '\n';
    return 1;
  }
  out << "extracted " << extracted << " of " << db.RecordCount() << " records\n";
  return failed == 0 ? 0 : 1;
}

}  // namespace tvx
