#include "platform/audio/WaveSample.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

namespace tvx::audio_detail {

namespace {

std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t{bytes[3]} << 24);
}

// SDL sizes its buffers from the chunk headers before it reads them, so a damaged size would
// have it ask for up to 4 GB: every chunk up to the samples must lie inside the record.
bool ChunksFitTheRecord(const std::uint8_t* data, std::size_t size) {
  if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) {
    return false;
  }
  for (std::size_t at = 12; size - at >= 8;) {
    const std::uint32_t length = LittleEndian32(data + at + 4);
    if (length > size - at - 8) return false;
    if (std::memcmp(data + at, "data", 4) == 0) return true;
    at += 8 + std::size_t{length} + (length & 1);  // chunks are padded to an even size
    if (at > size) return false;
  }
  return false;
}

}  // namespace

bool DecodeWave(const std::uint8_t* data, std::size_t size, std::vector<float>& stereo) {
  if (data == nullptr || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return false;
  if (!ChunksFitTheRecord(data, size)) return false;
  // A file cut short is damaged data, not a shorter sound.
  SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
  SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
  if (rw == nullptr) return false;
  SDL_AudioSpec loaded{};
  Uint8* pcm = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(rw, 1, &loaded, &pcm, &length) == nullptr) return false;
  std::unique_ptr<Uint8, void (*)(Uint8*)> owned(pcm, SDL_FreeWAV);

  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, loaded.format, loaded.channels, loaded.freq, AUDIO_F32SYS, 2,
                        kMixRate) < 0) {
    return false;
  }
  const std::size_t inputFrameBytes =
      static_cast<std::size_t>(SDL_AUDIO_BITSIZE(loaded.format) / 8) * loaded.channels;
  if (length == 0 || inputFrameBytes == 0) return false;
  const double ratio = static_cast<double>(kMixRate) / loaded.freq;
  if (static_cast<double>(length / inputFrameBytes) * ratio > kMaxSampleFrames) return false;

  std::vector<Uint8> work(static_cast<std::size_t>(length) * std::max(cvt.len_mult, 1));
  std::memcpy(work.data(), pcm, length);
  cvt.buf = work.data();
  cvt.len = static_cast<int>(length);
  if (cvt.needed != 0 && SDL_ConvertAudio(&cvt) != 0) return false;
  const std::size_t bytes = cvt.needed != 0 ? static_cast<std::size_t>(cvt.len_cvt) : length;
  const std::size_t frames = bytes / (2 * sizeof(float));
  if (frames == 0) return false;
  stereo.assign(frames * 2, 0.0f);
  std::memcpy(stereo.data(), work.data(), frames * 2 * sizeof(float));
  return true;
}

std::size_t SamplePlayback::Read(float* stereo, std::size_t frames) {
  const std::uint64_t total = stereo_.size() / 2;
  const std::uint64_t left = position_ < total ? total - position_ : 0;
  const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(frames, left));
  std::memcpy(stereo, stereo_.data() + 2 * position_, n * 2 * sizeof(float));
  position_ += n;
  return n;
}

bool SamplePlayback::Seek(std::uint64_t frame) {
  if (frame > stereo_.size() / 2) return false;
  position_ = frame;
  return true;
}

}  // namespace tvx::audio_detail
