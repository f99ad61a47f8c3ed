// SpaceEffects: the shared reverb and delay of the sequencer.
//
// The reverb is a Schroeder-Moorer network (eight damped combs and four all-passes per side,
// the right side with slightly longer lines for width). The delay is a ping-pong echo. Both
// can process a loop: they first run over its end, so the tail that rings across the loop
// point is already in the start, and the loop joins seamlessly.
#pragma once

#include "assetbuilder/sound/stereo_buffer.h"

namespace tvx {

StereoBuffer Reverberate(const StereoBuffer& send, float decaySeconds, bool loop);
StereoBuffer PingPongDelay(const StereoBuffer& send, std::size_t delayFrames, float feedback,
                           bool loop);

}  // namespace tvx
