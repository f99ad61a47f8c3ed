// Where the game's files are: the archive it reads and the ranking it keeps.
//
// The archive is looked for beside the program first (build trees and portable copies), then
// in the install's data folder, found relative to the program so that a moved prefix still
// works, then in tarvex/ under each $XDG_DATA_DIRS entry; --data DIR replaces the whole list.
// The ranking stays beside the program when the archive is there too and the folder can be
// written (a build tree or a portable copy); an installed game keeps it in
// $XDG_DATA_HOME/tarvex/ (~/.local/share/tarvex/ by default). Nothing here touches SDL: the
// program decides once at start and hands the game two paths.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tvx {

constexpr char kArchiveFileName[] = "resources.tvx";
constexpr char kRankingFileName[] = "ranking.rkg";

// The environment variables the search reads; empty when unset.
struct LocationEnvironment {
  std::string xdgDataDirs;
  std::string xdgDataHome;
  std::string home;

  static LocationEnvironment FromProcess();
};

// Every path where the archive may be, in the order they are tried.
std::vector<std::string> ArchiveCandidates(const std::string& programFolder,
                                           const std::optional<std::string>& dataFolder,
                                           const LocationEnvironment& environment);

// The first candidate that is a file, or nothing.
std::optional<std::string> FirstExistingFile(const std::vector<std::string>& candidates);

// "Cannot start Tarvex: resources.tvx was not found. Looked in:" and every place tried.
std::string ArchiveNotFoundMessage(const std::vector<std::string>& tried);

bool IsWritableFolder(const std::string& folder);

// The ranking file's path for a game that reads `archivePath`.
std::string RankingPathFor(const std::string& programFolder, const std::string& archivePath,
                           const LocationEnvironment& environment,
                           bool (*writable)(const std::string&) = IsWritableFolder);

}  // namespace tvx
