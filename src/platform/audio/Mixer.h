// Mixer: plays the library's channels into the output on the audio thread, with the
// library's lock held. It reads the next block of each playing channel and adds it at the
// channel's gains; a channel that runs out is ended by the channel rules, whose end syncs run
// on this thread. A rewind from a sync keeps the channel playing and the rest of the block is
// filled from its new position, so loops have no gap. The mix itself only decodes.
//
// The player's volumes act at the same gain stage as each channel's own: every channel is
// music or an effect (effects unless marked), and its gains are multiplied by the master and
// its group's level, or by 0 when muted.
#pragma once

#include <array>
#include <cstdint>

#include "platform/audio/AudioSource.h"
#include "platform/rules/ChannelRules.h"

namespace tvx {

// The player's volumes, 0..100 each.
struct MixLevels {
  int master = 100;
  int music = 100;
  int effects = 100;
  bool muted = false;
};

}  // namespace tvx

namespace tvx::audio_detail {

class Mixer {
 public:
  // The caller holds the library's lock.
  void SetLevels(const MixLevels& levels);

  // Audio thread, with the library's lock held: writes `frames` stereo frames, silence where
  // nothing plays.
  void Mix(ChannelRules& channels, float* stereo, std::size_t frames);

 private:
  void MixChannel(ChannelRules& channels, ChannelRules::Channel& channel, float* stereo,
                  std::size_t frames);

  std::array<float, 2 * kBlockFrames> scratch_{};
  float effectsLevel_ = 1.0f;
  float musicLevel_ = 1.0f;
};

}  // namespace tvx::audio_detail
