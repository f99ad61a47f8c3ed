// The sounds of the archive the build wrote, each with its file decoded by the platform's
// decoders, shared by the tests of one process.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assetbuilder/sound/sound_assets.h"

namespace tvx::test {

const std::vector<SoundAsset>& BuiltAssets();
const SoundAsset* FindAsset(const std::string& key);
double ReviewSeconds(const SoundAsset& asset);
bool EndsWith(const std::string& text, const std::string& suffix);

}  // namespace tvx::test
