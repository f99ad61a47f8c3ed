#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/GameLocations.h"
#include "core/TempFolder.h"
#include "harness/TestArchive.h"

namespace tvx {
namespace {

using Paths = std::vector<std::string>;

bool Writable(const std::string&) { return true; }
bool ReadOnly(const std::string&) { return false; }

TEST(ArchiveSearchTest, BesideTheProgramThenTheInstallThenEachXdgDataDir) {
  const LocationEnvironment environment{"/xdg/one:relative/ignored::/xdg/two/", "", "/home/p"};
  EXPECT_EQ(ArchiveCandidates("/opt/t/games/", std::nullopt, environment),
            (Paths{"/opt/t/games/resources.tvx", "/opt/t/share/games/tarvex/resources.tvx",
                   "/xdg/one/tarvex/resources.tvx", "/xdg/two/tarvex/resources.tvx"}));
  // Unset XDG_DATA_DIRS means the standard pair.
  EXPECT_EQ(ArchiveCandidates("/usr/games/", std::nullopt, {}),
            (Paths{"/usr/games/resources.tvx", "/usr/share/games/tarvex/resources.tvx",
                   "/usr/local/share/tarvex/resources.tvx", "/usr/share/tarvex/resources.tvx"}));
  // --data is the only place.
  EXPECT_EQ(ArchiveCandidates("/usr/games/", "mods/", environment), (Paths{"mods/resources.tvx"}));
}

TEST(ArchiveSearchTest, TheFirstFileFoundWinsAndTheMessageNamesEveryPlace) {
  TempFolder folder;
  const std::string a = folder.Path() + "a.tvx";
  const std::string b = folder.Path() + "b.tvx";
  std::filesystem::create_directory(a);  // a folder of that name is not the archive
  std::ofstream(b) << "x";
  EXPECT_EQ(FirstExistingFile({folder.Path() + "none", a, b}), b);
  EXPECT_FALSE(FirstExistingFile({a}));

  const std::string message = ArchiveNotFoundMessage({"/one/resources.tvx", "/two/resources.tvx"});
  EXPECT_NE(message.find("/one/resources.tvx\n"), std::string::npos) << message;
  EXPECT_NE(message.find("/two/resources.tvx\n"), std::string::npos) << message;
  EXPECT_NE(message.find("--data"), std::string::npos) << message;
}

TEST(RankingPlaceTest, BesideAPortableCopyElseInTheUsersDataFolder) {
  const LocationEnvironment withXdg{"", "/data/home", "/home/p"};
  const LocationEnvironment withHome{"", "", "/home/p"};
  const std::string portable = "/opt/t/resources.tvx";
  EXPECT_EQ(RankingPathFor("/opt/t/", portable, withXdg, Writable), "/opt/t/ranking.rkg");
  EXPECT_EQ(RankingPathFor("/opt/t/", portable, withXdg, ReadOnly),
            "/data/home/tarvex/ranking.rkg");
  EXPECT_EQ(RankingPathFor("/opt/t/", portable, withHome, ReadOnly),
            "/home/p/.local/share/tarvex/ranking.rkg");
  // An installed game never writes beside its binary, even where it could (as root).
  EXPECT_EQ(
      RankingPathFor("/usr/games/", "/usr/share/games/tarvex/resources.tvx", withHome, Writable),
      "/home/p/.local/share/tarvex/ranking.rkg");
  // A relative XDG_DATA_HOME is ignored; with no home at all only the program folder is left.
  EXPECT_EQ(RankingPathFor("/opt/t/", portable, {"", "rel", "/home/p"}, ReadOnly),
            "/home/p/.local/share/tarvex/ranking.rkg");
  EXPECT_EQ(RankingPathFor("/opt/t/", portable, {}, ReadOnly), "/opt/t/ranking.rkg");
}

TEST(RankingPlaceTest, WritableFolderCheckSeesMissingFoldersAndFiles) {
  TempFolder folder;
  EXPECT_TRUE(IsWritableFolder(folder.Path()));
  EXPECT_FALSE(IsWritableFolder(folder.Path() + "missing/"));
  std::ofstream(folder.Path() + "file") << "x";
  EXPECT_FALSE(IsWritableFolder(folder.Path() + "file"));
}

}  // namespace
}  // namespace tvx
