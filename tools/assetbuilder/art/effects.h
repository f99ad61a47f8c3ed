// The additive effects, painted as light on transparency (colour with soft alpha) so that the
// additive blend brightens what lies below and never darkens it.
// - "explode" 32 patterns, 80 x 88: white flash, fireball, embers, fading smoke.
// - "fogflow" 23 patterns, 67 x 104 (drawn at 0.6 x 0.5 centred, so its centre lies on the
//   car's bonnet): smoke that pours back over the car; patterns 1..21 loop seamlessly and 0
//   and 22 continue the loop on either side.
// - "firejet" 4 patterns, 67 x 84 (drawn at 0.5): twin exhaust flames pointing down from the
//   rear bumper.
// - "groggystars" 36 patterns, 51 x 60: five stars circling the roof, one full turn.
#pragma once

#include <vector>

#include "assetbuilder/image_asset.h"
#include "game/PlayFieldKinds.h"

namespace tvx::assets {

constexpr int ExplodeWidth = 80, ExplodeHeight = 88;
constexpr int ExplodePatterns = FieldKindPatterns(image::Explosion);
constexpr int SmokeWidth = 67, SmokeHeight = 104, SmokePatterns = 23, SmokeLoop = 21;
constexpr int JetWidth = 67, JetHeight = 84, JetPatterns = 4;
constexpr int StarsWidth = 51, StarsHeight = 60, StarsPatterns = 36;

std::vector<ImageAsset> BuildEffectImages();

}  // namespace tvx::assets
