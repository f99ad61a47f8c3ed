// A stream decoder yields blocks at the file's own rate; ResampledStream turns them into
// frames at the mix rate by linear interpolation (an exact copy when the rates agree).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/audio/AudioSource.h"

namespace tvx::audio_detail {

class BlockDecoder {
 public:
  virtual ~BlockDecoder() = default;
  virtual int Rate() const = 0;
  // Up to `frames` stereo frames at the file's rate; 0 at the end or on undecodable data.
  virtual std::size_t Decode(float* stereo, std::size_t frames) = 0;
  virtual bool SeekNative(std::uint64_t frame) = 0;
};

class ResampledStream : public AudioSource {
 public:
  explicit ResampledStream(std::unique_ptr<BlockDecoder> decoder);
  std::size_t Read(float* stereo, std::size_t frames) override;
  bool Seek(std::uint64_t frame) override;

 private:
  void Refill(std::size_t current);

  std::unique_ptr<BlockDecoder> decoder_;
  double step_;
  double position_ = 0.0;  // in frames of buffer_
  std::size_t count_ = 0;  // valid frames in buffer_
  bool ended_ = false;
  std::array<float, 2 * kBlockFrames> buffer_{};
};

// Writes mono or multi-channel frames as stereo: mono is doubled, channels past two dropped.
void ToStereo(const float* interleaved, int channels, std::size_t frames, float* stereo);

}  // namespace tvx::audio_detail
