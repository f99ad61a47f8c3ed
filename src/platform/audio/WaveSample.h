// WAV samples: decoded once at load by SDL and converted to stereo float at the mix rate;
// every playback is a SamplePlayback reading the shared frames from its own position.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/audio/AudioSource.h"

namespace tvx::audio_detail {

// At most this many frames (about three minutes) are kept for one sample.
constexpr std::size_t kMaxSampleFrames = std::size_t{8} << 20;

// False when the data is no complete WAV file that SDL can convert.
bool DecodeWave(const std::uint8_t* data, std::size_t size, std::vector<float>& stereo);

class SamplePlayback : public AudioSource {
 public:
  explicit SamplePlayback(const std::vector<float>& stereo) : stereo_(stereo) {}
  std::size_t Read(float* stereo, std::size_t frames) override;
  bool Seek(std::uint64_t frame) override;
  std::uint64_t Position() const { return position_; }

 private:
  const std::vector<float>& stereo_;
  std::uint64_t position_ = 0;
};

}  // namespace tvx::audio_detail
