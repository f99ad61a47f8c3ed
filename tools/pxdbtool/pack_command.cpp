#include <filesystem>
#include <fstream>

#include "archive/PxDb.h"
#include "archive_writer/pxdb_writer.h"
#include "core/FileBytes.h"
#include "pxdbtool/commands.h"
#include "pxdbtool/manifest.h"
#include "pxdbtool/record_path.h"

namespace tvx {

int PackFolder(const std::string& folder, const std::string& archive, std::ostream& out,
               std::ostream& err) {
  const std::filesystem::path manifestPath = std::filesystem::path(folder) / kManifestName;
  std::ifstream manifest(manifestPath);
  if (!manifest) {
    err << manifestPath.string() << ": cannot open the manifest\n";
    return 1;
  }
  std::vector<TManifestEntry> entries;
  std::vector<std::string> errors;
  ParseManifest(manifest, entries, errors);
  for (const std::string& error : errors) err << manifestPath.string() << ": " << error << '\n';

  PxDbWriter writer;
  bool filesOk = true;
  for (TManifestEntry& entry : entries) {
    std::vector<std::uint8_t> data;
    std::string error;
    // Anything larger could not be read back by the game.
    if (!ReadFileBytes(std::filesystem::path(folder) / entry.key, TPxDb::kMaxOrigSize, data,
                       error)) {
      err << manifestPath.string() << ": line " << entry.line << ": " << error << '\n';
      filesOk = false;
      continue;
    }
    if (data.empty()) {
      err << manifestPath.string() << ": line " << entry.line << ": " << entry.key
          << " is empty; a record of 0 bytes can never be read\n";
      filesOk = false;
      continue;
    }
    writer.Add(std::move(entry.key), entry.recordType, std::move(data));
  }
  if (!errors.empty() || !filesOk) {
    err << archive << ": not written\n";
    return 1;
  }
  std::string error;
  if (!writer.WriteFile(archive, error)) {
    err << error << '\n';
    return 1;
  }
  out << "packed " << writer.Count() << " records into " << archive << '\n';
  return 0;
}

}  // namespace tvx
