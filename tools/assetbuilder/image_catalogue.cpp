#include "assetbuilder/image_catalogue.h"

#include "assetbuilder/art/backdrops.h"
#include "assetbuilder/art/cars.h"
#include "assetbuilder/art/effects.h"
#include "assetbuilder/art/icon.h"
#include "assetbuilder/art/obstacles.h"
#include "assetbuilder/art/roads.h"

namespace tvx::assets {

std::vector<ImageAsset> BuildImages() {
  std::vector<ImageAsset> images;
  const auto append = [&images](std::vector<ImageAsset> more) {
    for (ImageAsset& image : more) images.push_back(std::move(image));
  };
  append(BuildRoadImages());
  append(BuildCarImages());
  append(BuildObstacleImages());
  append(BuildEffectImages());
  append(BuildBackdropImages());
  images.push_back(BuildWindowIconImage());
  return images;
}

}  // namespace tvx::assets
