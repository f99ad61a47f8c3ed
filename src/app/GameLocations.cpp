#include "app/GameLocations.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace tvx {
namespace {

namespace fs = std::filesystem;

// The XDG base directory defaults for unset variables.
constexpr char kDefaultDataDirs[] = "/usr/local/share/:/usr/share/";
constexpr char kDefaultDataHomeBelowHome[] = ".local/share";

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string InFolder(const fs::path& folder, const char* fileName) {
  return (folder / fileName).lexically_normal().string();
}

// XDG paths must be absolute; relative entries are ignored as the base directory rules say.
std::vector<fs::path> DataDirs(const std::string& list) {
  std::vector<fs::path> dirs;
  std::string::size_type start = 0;
  const std::string& value = list.empty() ? std::string(kDefaultDataDirs) : list;
  while (start <= value.size()) {
    std::string::size_type end = value.find(':', start);
    if (end == std::string::npos) end = value.size();
    const fs::path entry = value.substr(start, end - start);
    if (entry.is_absolute()) dirs.push_back(entry);
    start = end + 1;
  }
  return dirs;
}

std::optional<fs::path> DataHome(const LocationEnvironment& environment) {
  if (fs::path(environment.xdgDataHome).is_absolute()) return fs::path(environment.xdgDataHome);
  if (fs::path(environment.home).is_absolute()) {
    return fs::path(environment.home) / kDefaultDataHomeBelowHome;
  }
  return std::nullopt;
}

}  // namespace

LocationEnvironment LocationEnvironment::FromProcess() {
  return {Variable("XDG_DATA_DIRS"), Variable("XDG_DATA_HOME"), Variable("HOME")};
}

std::vector<std::string> ArchiveCandidates(const std::string& programFolder,
                                           const std::optional<std::string>& dataFolder,
                                           const LocationEnvironment& environment) {
  if (dataFolder) return {InFolder(*dataFolder, kArchiveFileName)};
  std::vector<std::string> candidates{
      InFolder(programFolder, kArchiveFileName),
      InFolder(fs::path(programFolder) / TVX_DATA_FROM_PROGRAM, kArchiveFileName)};
  for (const fs::path& dir : DataDirs(environment.xdgDataDirs)) {
    const std::string candidate = InFolder(dir / "tarvex", kArchiveFileName);
    if (std::find(candidates.begin(), candidates.end(), candidate) == candidates.end()) {
      candidates.push_back(candidate);
    }
  }
  return candidates;
}

std::optional<std::string> FirstExistingFile(const std::vector<std::string>& candidates) {
  for (const std::string& candidate : candidates) {
    std::error_code error;
    if (fs::is_regular_file(candidate, error)) return candidate;
  }
  return std::nullopt;
}

std::string ArchiveNotFoundMessage(const std::vector<std::string>& tried) {
  std::string message =
      std::string("Cannot start Tarvex: ") + kArchiveFileName + " was not found. Looked in:\n";
  for (const std::string& path : tried) message += "  " + path + "\n";
  return message + "Use --data DIR to name the folder that holds it.";
}

bool IsWritableFolder(const std::string& folder) {
  std::error_code error;
  return fs::is_directory(folder, error) && access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string RankingPathFor(const std::string& programFolder, const std::string& archivePath,
                           const LocationEnvironment& environment,
                           bool (*writable)(const std::string&)) {
  const std::string beside = InFolder(programFolder, kRankingFileName);
  const bool portable = archivePath == InFolder(programFolder, kArchiveFileName);
  if (portable && writable(programFolder)) return beside;
  if (const std::optional<fs::path> dataHome = DataHome(environment)) {
    return InFolder(*dataHome / "tarvex", kRankingFileName);
  }
  // With no home at all the program folder is the only place left; a failed save says so.
  return beside;
}

}  // namespace tvx
