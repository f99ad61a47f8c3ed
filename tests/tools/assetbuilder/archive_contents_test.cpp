// The archive the build wrote, read with the game's own loaders: five fonts, every image key
// with its pattern count, every sound key, music of more than one kind in the first seven
// sound slots, and a valid digest on every record.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "archive/PxDb.h"
#include "core/Component.h"
#include "core/MemoryStream.h"
#include "game/PlayFieldKinds.h"
#include "game/SoundNames.h"
#include "harness/RenderRig.h"
#include "platform/doubles/RecordingGraphicsApi.h"
#include "platform/doubles/SilentAudioLibrary.h"
#include "sound/SoundSystem.h"

namespace tvx {
namespace {

class ShippedArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    archive = CreateComponent<TPxDb>(&root);
    archive->SetFileName(TVX_RESOURCES_FILE);
    archive->OpenMode = TOpenModes::opReadOnly;
    ASSERT_TRUE(archive->EnsureOpen()) << TVX_RESOURCES_FILE;
  }

  // Declared before the root so that the components go first.
  gfx::RecordingGraphicsApi api;
  SilentAudioLibrary audio;
  TComponent root{nullptr};
  TPxDb* archive = nullptr;
};

TEST_F(ShippedArchive, EveryRecordInflatesAndMatchesItsDigest) {
  ASSERT_GT(archive->RecordCount(), 0);
  for (int i = 0; i < archive->RecordCount(); ++i) {
    TMemoryStream stream;
    EXPECT_TRUE(archive->ReadStreamAt(i, stream)) << archive->RecordKey(i);
    EXPECT_EQ(archive->LastReadStatus(), TReadStatus::rsOk) << archive->RecordKey(i);
  }
}

TEST_F(ShippedArchive, FontsAndImagesLoadWithTheGameLoaders) {
  testing::RenderRig rig(api, {.images = true, .fonts = true});
  ASSERT_TRUE(rig.device->Initialize());
  TPxFonts* fonts = rig.fonts;
  TPxImages* images = rig.images;

  ASSERT_TRUE(fonts->LoadFromPxDb(*archive));
  ASSERT_EQ(fonts->Count(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(fonts->Items(i)->Loaded());
    EXPECT_GE(fonts->Items(i)->GlyphCount(), 95);
    EXPECT_EQ(fonts->Items(i)->FirstChar(), 32);
  }

  ASSERT_TRUE(images->LoadFromPxDb(*archive));
  const std::vector<std::pair<std::string, int>> expected = {
      {"road0", 1},   {"road1", 1},        {"road2", 1},     {"road3", 1},       {"road4", 1},
      {"road5", 1},   {"road6", 1},        {"car0", 1},      {"car1", 1},        {"car2", 1},
      {"car3", 1},    {"car0q", 1},        {"car1q", 1},     {"car2q", 1},       {"car3q", 1},
      {"pcar0", 1},   {"pcar1", 1},        {"pcar2", 1},     {"pcar3", 1},       {"scar0", 1},
      {"scar1", 1},   {"scar2", 1},        {"scar3", 1},     {"barril0", 1},     {"barril1", 1},
      {"barril2", 1}, {"engrenagem", 2},   {"gelb", 7},      {"gelbpreta", 7},   {"explode", 32},
      {"firejet", 4}, {"groggystars", 36}, {"nextlevel", 1}, {"gameovercar", 1}, {"rankingcar", 1}};
  for (const auto& [key, patterns] : expected) {
    const TPxImage* image = images->FindImage(key);
    ASSERT_NE(image, nullptr) << key;
    EXPECT_EQ(image->Name(), key);
    EXPECT_EQ(image->PatternCount(), patterns) << key;
    EXPECT_EQ(image->State(), TextureState::Active) << key;
  }
  // The builder paints every kind of the play field with the pattern count the game animates.
  for (const FieldKind& kind : kFieldKinds) {
    const TPxImage* image = images->FindImage(kind.image);
    ASSERT_NE(image, nullptr) << kind.image;
    EXPECT_EQ(image->PatternCount(), kind.patterns) << kind.image;
  }
  const TPxImage* smoke = images->FindImage("fogflow");
  ASSERT_NE(smoke, nullptr);
  EXPECT_GE(smoke->PatternCount(), 22);
  EXPECT_EQ(images->FindImage("road0")->DrawSize().y, 960);
}

TEST_F(ShippedArchive, SoundsLoadWithMusicOfSeveralKindsFirst) {
  auto* sounds = CreateComponent<TSoundSystem>(&root, audio);
  ASSERT_TRUE(sounds->LoadFromPxDb(*archive));
  ASSERT_GE(sounds->Count(), 7);
  std::set<TSoundKind> musicKinds;
  for (int i = 0; i < 7; ++i) {
    const TSoundKind kind = sounds->Sound(i)->Kind();
    EXPECT_TRUE(kind == TSoundKind::skModule || kind == TSoundKind::skOgg ||
                kind == TSoundKind::skMp3)
        << sounds->Sound(i)->Name();
    musicKinds.insert(kind);
  }
  EXPECT_GE(musicKinds.size(), 2u);
  std::set<std::string> names;
  for (int i = 0; i < sounds->Count(); ++i) names.insert(sounds->Sound(i)->Name());
  for (const std::string& key : sound::NamedSounds) EXPECT_EQ(names.count(key), 1u) << key;
}

}  // namespace
}  // namespace tvx
