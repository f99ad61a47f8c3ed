#include "platform/audio/Mp3Decoder.h"

#include <mpg123.h>
#include <sys/types.h>

#include <algorithm>
#include <mutex>

namespace tvx::audio_detail {

namespace {

mpg123_ssize_t ReadCallback(void* user, void* buffer, size_t count) {
  return static_cast<mpg123_ssize_t>(static_cast<MemoryReader*>(user)->Read(buffer, count));
}

off_t SeekCallback(void* user, off_t offset, int whence) {
  return static_cast<off_t>(static_cast<MemoryReader*>(user)->Seek(offset, whence));
}

// A zero-frame read with one of these codes is retried; anything else ends the stream.
constexpr int kReadRetries = 8;

}  // namespace

std::unique_ptr<Mp3Decoder> Mp3Decoder::Open(const std::uint8_t* data, std::size_t size) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { mpg123_init(); });

  std::unique_ptr<Mp3Decoder> decoder(new Mp3Decoder());
  decoder->reader_ = MemoryReader{data, size, 0};
  int error = MPG123_OK;
  mpg123_handle* mh = mpg123_new(nullptr, &error);
  if (mh == nullptr) return nullptr;
  decoder->handle_ = mh;
  mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
  mpg123_format_none(mh);
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  for (size_t i = 0; i < rateCount; ++i) {
    mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
  }
  if (mpg123_replace_reader_handle(mh, ReadCallback, SeekCallback, nullptr) != MPG123_OK ||
      mpg123_open_handle(mh, &decoder->reader_) != MPG123_OK) {
    return nullptr;
  }
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(mh, &rate, &channels, &encoding) != MPG123_OK ||
      encoding != MPG123_ENC_FLOAT_32 || channels < 1 || channels > 2 || rate <= 0) {
    return nullptr;
  }
  decoder->rate_ = static_cast<int>(rate);
  decoder->channels_ = channels;
  // A header alone is not enough: the first block must decode, then playback starts over.
  float probe[2 * 64];
  if (decoder->Decode(probe, 64) == 0 || !decoder->SeekNative(0)) return nullptr;
  return decoder;
}

Mp3Decoder::~Mp3Decoder() {
  if (handle_ != nullptr) {
    mpg123_close(handle_);
    mpg123_delete(handle_);
  }
}

std::size_t Mp3Decoder::Decode(float* stereo, std::size_t frames) {
  frames = std::min(frames, kBlockFrames);
  const std::size_t bytes = frames * static_cast<std::size_t>(channels_) * sizeof(float);
  for (int attempt = 0; attempt < kReadRetries; ++attempt) {
    size_t done = 0;
    const int result =
        mpg123_read(handle_, reinterpret_cast<unsigned char*>(scratch_.data()), bytes, &done);
    const std::size_t got = done / (static_cast<std::size_t>(channels_) * sizeof(float));
    if (got > 0) {
      ToStereo(scratch_.data(), channels_, got, stereo);
      return got;
    }
    if (result == MPG123_NEW_FORMAT) {
      long rate = 0;
      int channels = 0;
      int encoding = 0;
      mpg123_getformat(handle_, &rate, &channels, &encoding);
      // A stream that changes its format half-way is treated as ending there.
      if (rate != rate_ || channels != channels_) return 0;
      continue;
    }
    if (result != MPG123_OK) return 0;
  }
  return 0;
}

bool Mp3Decoder::SeekNative(std::uint64_t frame) {
  return mpg123_seek(handle_, static_cast<off_t>(frame), SEEK_SET) >= 0;
}

}  // namespace tvx::audio_detail
