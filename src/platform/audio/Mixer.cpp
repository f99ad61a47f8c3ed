#include "platform/audio/Mixer.h"

#include <algorithm>

namespace tvx::audio_detail {

namespace {

// Squared, so that equal steps of the setting sound like roughly equal steps of loudness.
float LevelGain(int level) {
  const float fraction = static_cast<float>(std::clamp(level, 0, 100)) / 100.0f;
  return fraction * fraction;
}

float GainLeft(int volume, int pan) {
  const float gain = static_cast<float>(volume) / 100.0f;
  return gain * (pan > 0 ? static_cast<float>(100 - pan) / 100.0f : 1.0f);
}

float GainRight(int volume, int pan) {
  const float gain = static_cast<float>(volume) / 100.0f;
  return gain * (pan < 0 ? static_cast<float>(100 + pan) / 100.0f : 1.0f);
}

}  // namespace

void Mixer::SetLevels(const MixLevels& levels) {
  const float master = levels.muted ? 0.0f : LevelGain(levels.master);
  musicLevel_ = master * LevelGain(levels.music);
  effectsLevel_ = master * LevelGain(levels.effects);
}

void Mixer::Mix(ChannelRules& channels, float* stereo, std::size_t frames) {
  std::fill(stereo, stereo + 2 * frames, 0.0f);
  // By index: a sync may add a sample playback to the list.
  for (std::size_t i = 0; i < channels.ChannelCount(); ++i) {
    ChannelRules::Channel& channel = channels.ChannelAt(i);
    if (channel.state == ChannelState::kPlaying) MixChannel(channels, channel, stereo, frames);
  }
  for (std::size_t i = 0; i < 2 * frames; ++i) stereo[i] = std::clamp(stereo[i], -1.0f, 1.0f);
}

void Mixer::MixChannel(ChannelRules& channels, ChannelRules::Channel& channel, float* stereo,
                       std::size_t frames) {
  // Every source the library adds is an AudioSource.
  auto& source = static_cast<AudioSource&>(*channel.source);
  std::size_t done = 0;
  bool endedEmpty = false;
  while (done < frames && channel.state == ChannelState::kPlaying) {
    const std::size_t wanted = std::min(frames - done, kBlockFrames);
    const std::size_t got = source.Read(scratch_.data(), wanted);
    float* out = stereo + 2 * done;
    const float level = channel.music ? musicLevel_ : effectsLevel_;
    const float left = GainLeft(channel.volume, channel.pan) * level;
    const float right = GainRight(channel.volume, channel.pan) * level;
    for (std::size_t j = 0; j < got; ++j) {
      out[2 * j] += scratch_[2 * j] * left;
      out[2 * j + 1] += scratch_[2 * j + 1] * right;
    }
    done += got;
    channel.position += got;
    if (got == wanted) {
      endedEmpty = false;
      continue;
    }
    // A source that gives nothing again right after its syncs rewound it would spin here.
    if (got == 0 && endedEmpty) {
      channel.state = ChannelState::kEnded;
      break;
    }
    endedEmpty = got == 0;
    channels.EndChannel(channel);
  }
}

}  // namespace tvx::audio_detail
