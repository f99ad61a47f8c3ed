#include "platform/audio/OggDecoder.h"

#include <algorithm>

namespace tvx::audio_detail {

namespace {

size_t ReadCallback(void* buffer, size_t size, size_t count, void* user) {
  if (size == 0) return 0;
  return static_cast<MemoryReader*>(user)->Read(buffer, size * count) / size;
}

int SeekCallback(void* user, ogg_int64_t offset, int whence) {
  return static_cast<MemoryReader*>(user)->Seek(offset, whence) < 0 ? -1 : 0;
}

long TellCallback(void* user) {
  return static_cast<long>(static_cast<MemoryReader*>(user)->position);
}

constexpr int kMinRate = 1000;
constexpr int kMaxRate = 192000;
// Holes in the data are skipped this many times in a row before the stream is given up.
constexpr int kReadRetries = 8;

}  // namespace

std::unique_ptr<OggDecoder> OggDecoder::Open(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<OggDecoder> decoder(new OggDecoder());
  decoder->reader_ = MemoryReader{data, size, 0};
  const ov_callbacks callbacks{ReadCallback, SeekCallback, nullptr, TellCallback};
  if (ov_open_callbacks(&decoder->reader_, &decoder->file_, nullptr, 0, callbacks) != 0) {
    return nullptr;
  }
  decoder->opened_ = true;
  const vorbis_info* info = ov_info(&decoder->file_, -1);
  if (info == nullptr || info->channels < 1 || info->rate < kMinRate || info->rate > kMaxRate) {
    return nullptr;
  }
  decoder->rate_ = static_cast<int>(info->rate);
  decoder->channels_ = info->channels;
  float probe[2 * 64];
  if (decoder->Decode(probe, 64) == 0 || !decoder->SeekNative(0)) return nullptr;
  return decoder;
}

OggDecoder::~OggDecoder() {
  if (opened_) ov_clear(&file_);
}

std::size_t OggDecoder::Decode(float* stereo, std::size_t frames) {
  frames = std::min(frames, kBlockFrames);
  for (int attempt = 0; attempt < kReadRetries; ++attempt) {
    float** planes = nullptr;
    int section = 0;
    const long got = ov_read_float(&file_, &planes, static_cast<int>(frames), &section);
    if (got == OV_HOLE) continue;
    if (got <= 0) return 0;
    const vorbis_info* info = ov_info(&file_, section);
    // A chained stream whose format changes is treated as ending there.
    if (info == nullptr || info->rate != rate_ || info->channels != channels_) return 0;
    const std::size_t count = std::min(static_cast<std::size_t>(got), frames);
    const float* right = planes[channels_ > 1 ? 1 : 0];
    for (std::size_t i = 0; i < count; ++i) {
      stereo[2 * i] = planes[0][i];
      stereo[2 * i + 1] = right[i];
    }
    return count;
  }
  return 0;
}

bool OggDecoder::SeekNative(std::uint64_t frame) {
  return ov_pcm_seek(&file_, static_cast<ogg_int64_t>(frame)) == 0;
}

}  // namespace tvx::audio_detail
