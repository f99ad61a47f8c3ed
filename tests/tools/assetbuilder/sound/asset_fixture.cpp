#include "asset_fixture.h"

namespace tvx::test {

const std::vector<SoundAsset>& BuiltAssets() {
  static const std::vector<SoundAsset> assets = BuildSoundAssets();
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
