// What the mixer plays: a source of interleaved stereo float frames at the mix rate. A source
// that gives fewer frames than asked has reached its end (or met data it cannot decode).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/rules/ChannelRules.h"

namespace tvx::audio_detail {

constexpr int kMixRate = 44100;
// Frames decoded or mixed in one step; fixed buffers of this size avoid allocation while mixing.
constexpr std::size_t kBlockFrames = 1024;

class AudioSource : public ChannelSource {
 public:
  virtual std::size_t Read(float* stereo, std::size_t frames) = 0;
};

}  // namespace tvx::audio_detail
