#include "asset_fixture.h"

#include "archive/PxDb.h"
#include "archive/RecordTypes.h"
#include "assetbuilder/sound/sound_decoding.h"
#include "assetbuilder/sound/stereo_buffer.h"
#include "core/Component.h"
#include "core/MemoryStream.h"

namespace tvx::test {
namespace {

std::vector<SoundAsset> ReadArchivedSounds() {
  TComponent root(nullptr);
  auto* archive = CreateComponent<TPxDb>(&root);
  archive->SetFileName(TVX_RESOURCES_FILE);
  archive->OpenMode = TOpenModes::opReadOnly;
  std::vector<SoundAsset> assets;
  if (!archive->EnsureOpen()) return assets;
  for (int record = 0; record < archive->RecordCount(); ++record) {
    if (archive->RecordType(record) != SoundRecordType) continue;
    SoundAsset asset;
    asset.key = archive->RecordKey(record);
    TMemoryStream bytes;
    if (!archive->ReadStream(asset.key, bytes)) return {};
    asset.file.assign(bytes.Memory(), bytes.Memory() + bytes.Size());
    asset.reviewPcm = ToInterleavedPcm16(
        FromInterleaved(DecodeSoundFile(asset.key, asset.file.data(), asset.file.size())));
    assets.push_back(std::move(asset));
  }
  return assets;
}

}  // namespace

const std::vector<SoundAsset>& BuiltAssets() {
  static const std::vector<SoundAsset> assets = ReadArchivedSounds();
  return assets;
}

const SoundAsset* FindAsset(const std::string& key) {
  for (const SoundAsset& asset : BuiltAssets()) {
    if (asset.key == key) return &asset;
  }
  return nullptr;
}

double ReviewSeconds(const SoundAsset& asset) { return asset.reviewPcm.size() / 2 / 44100.0; }

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace tvx::test
