// The five fonts of the game, in archive order (the order is the font index):
// 0 small (credit line, ranking rows), 1 "LOADING . . .", 2 large titles, 3 prompts, 4 HUD.
#pragma once

#include <vector>

#include "assetbuilder/font_asset.h"

namespace tvx::assets {

std::vector<FontSpec> FontSpecs();

// Empty when a font file is missing.
std::vector<FontAsset> BuildFonts();

}  // namespace tvx::assets
