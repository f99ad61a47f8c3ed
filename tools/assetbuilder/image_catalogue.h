// Every image record of the archive, in archive order.
#pragma once

#include <vector>

#include "assetbuilder/image_asset.h"

namespace tvx::assets {

std::vector<ImageAsset> BuildImages();

}  // namespace tvx::assets
