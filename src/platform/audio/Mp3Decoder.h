// MP3 streams through libmpg123, reading straight from the caller's memory block with a
// replaced reader: nothing is decoded ahead beyond the block asked for, and a LAME tag makes
// the decoder drop the encoder's padding, so loops are gapless.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "platform/audio/MemoryReader.h"
#include "platform/audio/ResampledStream.h"

struct mpg123_handle_struct;

namespace tvx::audio_detail {

class Mp3Decoder : public BlockDecoder {
 public:
  // nullptr when the data holds no decodable MP3 frame.
  static std::unique_ptr<Mp3Decoder> Open(const std::uint8_t* data, std::size_t size);
  ~Mp3Decoder() override;

  int Rate() const override { return rate_; }
  std::size_t Decode(float* stereo, std::size_t frames) override;
  bool SeekNative(std::uint64_t frame) override;

 private:
  Mp3Decoder() = default;

  mpg123_handle_struct* handle_ = nullptr;
  MemoryReader reader_;
  int rate_ = 0;
  int channels_ = 0;
  std::array<float, 2 * kBlockFrames> scratch_{};
};

}  // namespace tvx::audio_detail
