// The launcher's pictures from an archive: all of them from a complete one, what is there
// from one that lacks the backdrop, and nothing (with the reason) from a missing file.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/LauncherArtLoader.h"
#include "core/TempFolder.h"
#include "harness/TestArchive.h"

namespace tvx {
namespace {

// Whether any pixel of the picture shows.
bool Inked(const LauncherPicture& picture) {
  return std::any_of(picture.argb.begin(), picture.argb.end(),
                     [](std::uint32_t p) { return (p >> 24) != 0; });
}

TEST(LauncherArt, ACompleteArchiveGivesEveryPicture) {
  TempFolder folder;
  ASSERT_TRUE(testing::WriteTestArchive(folder.Path() + "resources.tvx"));
  std::string problem;
  const LauncherArt art = LoadLauncherArt(folder.Path() + "resources.tvx", problem);
  EXPECT_EQ(problem, "");
  for (const LauncherPicture* picture :
       {&art.backdrop, &art.logo, &art.buttonCaption, &art.version, &art.splashCaption}) {
    ASSERT_FALSE(picture->Empty());
    EXPECT_EQ(picture->argb.size(), static_cast<std::size_t>(picture->width) * picture->height);
  }
  EXPECT_TRUE(Inked(art.logo));
  EXPECT_TRUE(Inked(art.buttonCaption));
  // "Start Game" is ten characters and "v1.0.0" six: text is laid out, not one glyph.
  EXPECT_GT(art.buttonCaption.width, art.version.width);
}

TEST(LauncherArt, AnArchiveWithoutTheBackdropGivesTheRestAndSaysSo) {
  TempFolder folder;
  ASSERT_TRUE(testing::WriteTestArchive(folder.Path() + "resources.tvx",
                                        testing::ArchiveContents::FontsOnly));
  std::string problem;
  const LauncherArt art = LoadLauncherArt(folder.Path() + "resources.tvx", problem);
  EXPECT_TRUE(art.backdrop.Empty());
  EXPECT_FALSE(art.buttonCaption.Empty());
  EXPECT_NE(problem.find("resources.tvx"), std::string::npos) << problem;
}

TEST(LauncherArt, AMissingArchiveGivesNothingAndSaysSo) {
  TempFolder folder;
  std::string problem;
  const LauncherArt art = LoadLauncherArt(folder.Path() + "absent.tvx", problem);
  EXPECT_TRUE(art.logo.Empty());
  EXPECT_TRUE(art.splashCaption.Empty());
  EXPECT_FALSE(problem.empty());
}

}  // namespace
}  // namespace tvx
