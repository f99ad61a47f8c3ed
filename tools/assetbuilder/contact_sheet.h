// The review contact sheet: every pattern of every image record, flowed left to right over a
// dark checkerboard (so alpha shows), each picture labelled with its key in font 0.
#pragma once

#include <string>
#include <vector>

#include "assetbuilder/font_asset.h"
#include "assetbuilder/image_asset.h"

namespace tvx::assets {

bool WriteContactSheet(const std::vector<ImageAsset>& images, const FontAsset& labelFont,
                       const std::string& path);

}  // namespace tvx::assets
