// EffectShaping: the finishing steps shared by all effects.
#pragma once

#include <cstddef>
#include <vector>

#include "assetbuilder/sound/stereo_buffer.h"

namespace tvx {

inline constexpr float kEffectPeakDb = -1.0f;

// Scales so the loudest 100 ms window has the common effect loudness, then caps the peak.
void LevelEffect(StereoBuffer& buffer);

// Folds the last `overlap` frames onto the start with an equal-power crossfade and drops them:
// the result repeats seamlessly even for noise, which has no period to cut on.
StereoBuffer CrossfadeLoop(const StereoBuffer& rendered, std::size_t overlap);

// Spreads a mono signal across the field with a pan per frame (-1 .. 1).
StereoBuffer PanMono(const std::vector<float>& mono, const std::vector<float>& pan);
StereoBuffer CentreMono(const std::vector<float>& mono);

// Levels, fades the edges by a few milliseconds and returns the finished one-shot effect.
StereoBuffer FinishOneShot(StereoBuffer buffer);

}  // namespace tvx
