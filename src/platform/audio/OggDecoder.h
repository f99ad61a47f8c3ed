// OGG Vorbis streams through vorbisfile, over callbacks that read the caller's memory block.
// Opening reads the headers and finds the length from page headers; audio is decoded only
// block by block while playing.
#pragma once

#include <vorbis/vorbisfile.h>

#include <array>
#include <cstdint>
#include <memory>

#include "platform/audio/MemoryReader.h"
#include "platform/audio/ResampledStream.h"

namespace tvx::audio_detail {

class OggDecoder : public BlockDecoder {
 public:
  // nullptr when the data is not a decodable Vorbis stream.
  static std::unique_ptr<OggDecoder> Open(const std::uint8_t* data, std::size_t size);
  ~OggDecoder() override;

  int Rate() const override { return rate_; }
  std::size_t Decode(float* stereo, std::size_t frames) override;
  bool SeekNative(std::uint64_t frame) override;

 private:
  OggDecoder() = default;

  OggVorbis_File file_{};
  bool opened_ = false;
  MemoryReader reader_;
  int rate_ = 0;
  int channels_ = 0;
};

}  // namespace tvx::audio_detail
