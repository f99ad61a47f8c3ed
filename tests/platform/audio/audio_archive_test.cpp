// The game's own archive played through the sound system and the real library.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "archive/PxDb.h"
#include "disk_output.h"
#include "platform/audio/SdlAudioLibrary.h"
#include "sound/SoundSystem.h"

namespace tvx::test {
namespace {

TEST(GameArchive, EverySoundLoadsAndPlaysByKey) {
  const std::filesystem::path path = std::filesystem::path(TVX_BIN_DIR) / "resources.tvx";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no " << path << " built";
  UseDummyDriver();
  SdlAudioLibrary audio;
  std::vector<std::string> errors;
  TSoundSystem sounds(nullptr, audio,
                      [&](TComponent*, const std::string& text) { errors.push_back(text); });
  TPxDb archive(nullptr);
  archive.OpenMode = TOpenModes::opReadOnly;
  archive.SetFileName(path.string());
  int expected = 0;
  ASSERT_TRUE(archive.EnsureOpen());
  for (int i = 0; i < archive.RecordCount(); ++i) {
    if (SoundKindOf(archive.RecordKey(i)) != TSoundKind::skNone) ++expected;
  }
  EXPECT_TRUE(sounds.LoadFromPxDb(archive));
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(sounds.Count(), expected);
  for (int i = 0; i < sounds.Count(); ++i) {
    const std::string& name = sounds.Sound(i)->Name();
    sounds.Play(name, false);
    EXPECT_TRUE(sounds.IsPlaying(name)) << name;
    sounds.Stop(name);
    EXPECT_FALSE(sounds.IsPlaying(name)) << name;
  }
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace tvx::test
