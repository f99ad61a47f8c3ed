#include "harness/TestArchive.h"

#include "archive/RecordTypes.h"
#include "archive_writer/pxdb_writer.h"
#include "game/ImageNames.h"
#include "game/PlayFieldKinds.h"
#include "game/SoundNames.h"
#include "harness/ImageRecordBuilder.h"
#include "platform/doubles/FakeSoundFiles.h"

namespace tvx::testing {

namespace {

std::vector<std::uint8_t> FontRecord() {
  // 96 glyphs of 8 x 8 from character 32, all opaque white.
  const auto picture = ImageRecordBuilder()
                           .Cell(8, 8)
                           .Draw(8, 8)
                           .Patterns(96)
                           .Texture(128, 48)
                           .FillPixels(0xFFFFFFFF)
                           .Bytes();
  return FontRecordBuilder().Advances(std::vector<std::int32_t>(96, 8)).Picture(picture).Bytes();
}

std::vector<std::uint8_t> Picture(int patterns) {
  return ImageRecordBuilder()
      .Cell(16, 16)
      .Draw(16, 16)
      .Patterns(patterns)
      .Texture(16 * patterns, 16)
      .FillPixels(0xFF808080)
      .Bytes();
}

}  // namespace

const std::vector<std::string>& TestSoundKeys() {
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> all = {"track0.xm",  "track1.ogg", "track2.ogg", "track3.xm",
                                    "track4.ogg", "track5.ogg", "track6.ogg"};
    all.insert(all.end(), sound::NamedSounds.begin(), sound::NamedSounds.end());
    return all;
  }();
  return keys;
}

bool WriteTestArchive(const std::string& path, ArchiveContents contents) {
  PxDbWriter writer;
  std::string error;
  for (int i = 0; i < 5; ++i) writer.Add("font" + std::to_string(i), FontRecordType, FontRecord());
  if (contents == ArchiveContents::FontsOnly) return writer.WriteFile(path, error);
  const std::pair<const char*, int> pictures[] = {
      {image::NextLevel, 1}, {image::GameOverBackdrop, 1}, {image::RankingBackdrop, 1},
      {image::Smoke, 22},    {image::FireJet, 4},          {image::Stars, 36}};
  for (const auto& [key, patterns] : pictures) writer.Add(key, ImageRecordType, Picture(patterns));
  for (const FieldKind& kind : kFieldKinds)
    writer.Add(kind.image, ImageRecordType, Picture(kind.patterns));
  for (const char* key : image::Roads) writer.Add(key, ImageRecordType, Picture(1));
  for (const auto& cars : {image::PlayerCars, image::TitleCars}) {
    for (const char* key : cars) writer.Add(key, ImageRecordType, Picture(1));
  }
  for (const std::string& key : TestSoundKeys())
    writer.Add(key, SoundRecordType, FakeSoundFile(key));
  return writer.WriteFile(path, error);
}

}  // namespace tvx::testing
