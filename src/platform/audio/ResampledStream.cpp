#include "platform/audio/ResampledStream.h"

#include <cstring>
#include <utility>

namespace tvx::audio_detail {

void ToStereo(const float* interleaved, int channels, std::size_t frames, float* stereo) {
  for (std::size_t i = 0; i < frames; ++i) {
    const float* frame = interleaved + i * static_cast<std::size_t>(channels);
    stereo[2 * i] = frame[0];
    stereo[2 * i + 1] = channels > 1 ? frame[1] : frame[0];
  }
}

ResampledStream::ResampledStream(std::unique_ptr<BlockDecoder> decoder)
    : decoder_(std::move(decoder)), step_(static_cast<double>(decoder_->Rate()) / kMixRate) {}

void ResampledStream::Refill(std::size_t current) {
  // Keeps the frame being interpolated from and drops what lies before it.
  const std::size_t drop = std::min(current, count_);
  std::memmove(buffer_.data(), buffer_.data() + 2 * drop, 2 * (count_ - drop) * sizeof(float));
  count_ -= drop;
  position_ -= static_cast<double>(drop);
  const std::size_t got = decoder_->Decode(buffer_.data() + 2 * count_, kBlockFrames - count_);
  if (got == 0) ended_ = true;
  count_ += got;
}

std::size_t ResampledStream::Read(float* stereo, std::size_t frames) {
  std::size_t done = 0;
  while (done < frames) {
    const auto current = static_cast<std::size_t>(position_);
    if (current + 1 >= count_ && !ended_) {
      Refill(current);
      continue;
    }
    if (current >= count_) break;
    const auto t = static_cast<float>(position_ - static_cast<double>(current));
    const float* a = buffer_.data() + 2 * current;
    const float* b = current + 1 < count_ ? a + 2 : a;
    stereo[2 * done] = a[0] + (b[0] - a[0]) * t;
    stereo[2 * done + 1] = a[1] + (b[1] - a[1]) * t;
    ++done;
    position_ += step_;
  }
  return done;
}

bool ResampledStream::Seek(std::uint64_t frame) {
  const auto native = static_cast<std::uint64_t>(static_cast<double>(frame) * step_);
  if (!decoder_->SeekNative(native)) return false;
  position_ = 0.0;
  count_ = 0;
  ended_ = false;
  return true;
}

}  // namespace tvx::audio_detail
