// Full-screen pictures.
// - "nextlevel" 640 x 480, behind the level intro and loading screens: a road running to a
//   sunset horizon, darker across the caption band.
// - "gameovercar" and "rankingcar" 72 x 72: drawn 9 times enlarged at (0, -150), so only rows
//   17..70 show and the enlargement blurs them. They are built from soft shapes only, which
//   enlarge into a deliberate out-of-focus backdrop: a burning wreck at night, and a lit
//   showroom car under spotlights.
#pragma once

#include <vector>

#include "assetbuilder/image_asset.h"

namespace tvx::assets {

constexpr int NextLevelWidth = 640, NextLevelHeight = 480;
constexpr int BackdropSize = 72;

std::vector<ImageAsset> BuildBackdropImages();

}  // namespace tvx::assets
