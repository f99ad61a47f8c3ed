#include "test_archive.h"

#include <filesystem>
#include <random>

#include "archive/RecordTypes.h"
#include "archive_writer/PxDbWriter.h"
#include "render_images/image_record_builder.h"

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

std::vector<std::uint8_t> SoundFile(const std::string& key) {
  const std::string extension = key.substr(key.rfind('.'));
  std::string header;
  if (extension == ".wav") header = std::string("RIFF\x24\0\0\0WAVEfmt ", 16);
  if (extension == ".mp3") header = "ID3\x03";
  if (extension == ".ogg") header = "OggS";
  std::vector<std::uint8_t> bytes(header.begin(), header.end());
  if (extension == ".xm") {
    const std::string id = "Extended Module: ";
    bytes.assign(id.begin(), id.end());
  }
  bytes.resize(2048, 0);
  return bytes;
}

}  // namespace

const std::vector<std::string>& TestSoundKeys() {
  static const std::vector<std::string> keys = {"track0.xm",
                                                "track1.ogg",
                                                "track2.ogg",
                                                "track3.xm",
                                                "track4.ogg",
                                                "track5.ogg",
                                                "track6.ogg",
                                                "moholithic.mp3",
                                                "nextlevel.mp3",
                                                "Aftermath451.mp3",
                                                "frequency.mp3",
                                                "jetengine-firingup.mp3",
                                                "hotidle.mp3",
                                                "machine_1.mp3",
                                                "navigate_67.wav",
                                                "bubble.mp3",
                                                "bang_1.wav",
                                                "explode.mp3",
                                                "crash.mp3",
                                                "dropping_1.mp3",
                                                "car_tire_squeal.mp3",
                                                "tire_squeal.mp3",
                                                "car_tire_squeal1.mp3",
                                                "Whush1.mp3",
                                                "beebee.mp3",
                                                "bee.wav"};
  return keys;
}

bool WriteTestArchive(const std::string& path, ArchiveContents contents) {
  PxDbWriter writer;
  std::string error;
  for (int i = 0; i < 5; ++i) writer.Add("font" + std::to_string(i), FontRecordType, FontRecord());
  if (contents == ArchiveContents::FontsOnly) return writer.WriteFile(path, error);
  const std::pair<const char*, int> pictures[] = {
      {"nextlevel", 1}, {"gameovercar", 1},  {"rankingcar", 1}, {"engrenagem", 2},
      {"gelb", 7},      {"gelbpreta", 7},    {"explode", 32},   {"fogflow", 22},
      {"firejet", 4},   {"groggystars", 36}, {"barril0", 1},    {"barril1", 1},
      {"barril2", 1}};
  for (const auto& [key, patterns] : pictures) writer.Add(key, ImageRecordType, Picture(patterns));
  for (const char* kind : {"road", "car", "pcar", "scar"}) {
    const int count = std::string(kind) == "road" ? 7 : 4;
    for (int i = 0; i < count; ++i)
      writer.Add(kind + std::to_string(i), ImageRecordType, Picture(1));
  }
  for (int i = 0; i < 4; ++i)
    writer.Add("car" + std::to_string(i) + "q", ImageRecordType, Picture(1));
  for (const std::string& key : TestSoundKeys()) writer.Add(key, SoundRecordType, SoundFile(key));
  return writer.WriteFile(path, error);
}

TempFolder::TempFolder() {
  std::random_device seed;
  const auto base = std::filesystem::temp_directory_path();
  std::filesystem::path folder;
  do {
    folder = base / ("tarvex-test-" + std::to_string(seed()));
  } while (!std::filesystem::create_directory(folder));
  path_ = folder.string() + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace tvx::testing
