// The program's icon: the player's white sports car on a stretch of road, seen from above as
// in the game, on a rounded green tile. It is drawn in a 64-unit square and scaled, so the
// same picture serves the PNG sizes of the icon theme and the SVG.
#pragma once

#include <string>

#include "assetbuilder/image_asset.h"

namespace tvx::assets {

bool WriteIconPng(int size, const std::string& path);
bool WriteIconSvg(const std::string& path);
// The icon as a picture of the archive, at the largest size of the theme, for the window.
ImageAsset BuildWindowIconImage();

}  // namespace tvx::assets
