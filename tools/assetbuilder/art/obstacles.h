// Barrels and pick-ups. The barrels are drawn at 0.7 about the pattern centre, so each
// pattern is sized to put its centre on the middle of the barrel's collision rectangle:
// "barril0" (a drum lying across the road) 90 x 78 around (15,34)-(75,44); "barril1" (an
// upright drum) and "barril2" (the explosive one) 64 x 91 around (16,40)-(48,51). The
// pick-ups are 35 x 30 around (8,8)-(27,22): "engrenagem" (repair gear), "gelb" (boost) and
// "gelbpreta" (dizziness swirl), with the pattern counts of the play field's kind table.
#pragma once

#include <vector>

#include "assetbuilder/image_asset.h"

namespace tvx::assets {

constexpr double BarrelScale = 0.7;
constexpr int LyingBarrelWidth = 90, LyingBarrelHeight = 78;
constexpr int UprightBarrelWidth = 64, UprightBarrelHeight = 91;
constexpr int PickupWidth = 35, PickupHeight = 30;

std::vector<ImageAsset> BuildObstacleImages();

}  // namespace tvx::assets
