// What the mixer plays: a source of interleaved stereo float frames at the mix rate. A source
// that gives fewer frames than asked has reached its end (or met data it cannot decode).
#pragma once

#include <cstddef>
#include <cstdint>

namespace tvx::audio_detail {

constexpr int kMixRate = 44100;
// Positions that callers pass are bytes of 16-bit stereo output, four per frame.
constexpr std::uint64_t kBytesPerFrame = 4;
// Frames decoded or mixed in one step; fixed buffers of this size avoid allocation while mixing.
constexpr std::size_t kBlockFrames = 1024;

class AudioSource {
 public:
  virtual ~AudioSource() = default;
  // Builds what playing needs, if the source defers that; called before every play, outside
  // the mixer's lock. False when it cannot be built.
  virtual bool Prepare() { return true; }
  virtual std::size_t Read(float* stereo, std::size_t frames) = 0;
  // Moves to a frame at the mix rate; false when the source cannot get there.
  virtual bool Seek(std::uint64_t frame) = 0;
};

}  // namespace tvx::audio_detail
