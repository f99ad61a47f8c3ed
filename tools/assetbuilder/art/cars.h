// The car pictures: traffic "car0".."car3", their wrecks "car0q".."car3q", the player's cars
// "pcar0".."pcar3" and their title-screen previews "scar0".."scar3".
#pragma once

#include <vector>

#include "assetbuilder/art/car_painter.h"
#include "assetbuilder/image_asset.h"

namespace tvx::assets {

// Pattern size of every car picture and the body boxes the game collides with.
constexpr int CarPatternWidth = 96, CarPatternHeight = 84;
constexpr int TrafficBodyLeft = 30, TrafficBodyTop = 12, TrafficBodyRight = 65,
              TrafficBodyBottom = 70;
constexpr int PlayerBodyLeft = 33, PlayerBodyTop = 12, PlayerBodyRight = 66, PlayerBodyBottom = 68;
constexpr int PreviewWidth = 124, PreviewHeight = 80;

std::vector<ImageAsset> BuildCarImages();

// The look of the player's car 0..3 (the icon shows car 0).
const CarLook& PlayerCarLook(int car);

}  // namespace tvx::assets
