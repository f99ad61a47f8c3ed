#include "assetbuilder/sound/sound_assets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tvx {
namespace {

const std::vector<SoundAsset>& Assets() {
  static const std::vector<SoundAsset> assets = BuildSoundAssets();
  return assets;
}

TEST(SoundAssetsTest, EveryAssetHasAFileAndAReviewRendering) {
  ASSERT_FALSE(Assets().empty());
  for (const SoundAsset& asset : Assets()) {
    EXPECT_FALSE(asset.file.empty()) << asset.key;
    EXPECT_FALSE(asset.reviewPcm.empty()) << asset.key;
    EXPECT_EQ(asset.reviewPcm.size() % 2, 0u) << asset.key;
  }
}

}  // namespace
}  // namespace tvx
