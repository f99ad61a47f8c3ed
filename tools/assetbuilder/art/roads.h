// The seven road scenes "road0".."road6": 640 x 960, rows 480..959 repeating rows 0..479 so
// the scroll wraps without a seam. Asphalt with four lanes between x 120 and 525, roadside
// scenery on both sides. 0 meadow, 1 coast, 2 desert, 3 winter (levels 1 to 5); 4 night
// city, 5 storm, 6 industrial night (the harder levels 6 to 10).
#pragma once

#include <vector>

#include "assetbuilder/image_asset.h"

namespace tvx::assets {

constexpr int RoadImageWidth = 640, RoadImageHeight = 960;

std::vector<ImageAsset> BuildRoadImages();

}  // namespace tvx::assets
