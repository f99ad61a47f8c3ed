#include "platform/audio/SdlAudioLibrary.h"

#include <SDL.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

#include "platform/audio/AudioError.h"
#include "platform/audio/ModuleSource.h"
#include "platform/audio/Mp3Decoder.h"
#include "platform/audio/OggDecoder.h"
#include "platform/audio/ResampledStream.h"
#include "platform/audio/WaveSample.h"

namespace tvx {

using audio_detail::ChannelKind;
using audio_detail::SetAudioError;

namespace {

constexpr int kDefaultDevice = -1;
constexpr Uint16 kDeviceBufferFrames = 1024;
// No sound file of the game comes near this; larger claims are refused before any decoding.
constexpr std::uint64_t kMaxFileBytes = std::uint64_t{256} << 20;

struct Block {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};

// The bytes a load names, or false (with the error set) when there are none to read.
bool MemoryBlock(bool memory, const void* file, std::uint64_t offset, std::uint64_t length,
                 Block& block) {
  if (!memory || file == nullptr || length == 0 || length > kMaxFileBytes ||
      offset > kMaxFileBytes) {
    SetAudioError(audio::ErrorFileFormat);
    return false;
  }
  block.data = static_cast<const std::uint8_t*>(file) + offset;
  block.size = static_cast<std::size_t>(length);
  return true;
}

std::uint32_t Refuse(int code) {
  SetAudioError(code);
  return 0;
}

bool Failed(int code) {
  SetAudioError(code);
  return false;
}

bool StartsWith(const Block& block, const char* tag, std::size_t size) {
  return block.size >= size && std::equal(tag, tag + size, block.data);
}

// Decoders allocate; running out of memory is a failed load like any other.
template <class Load>
std::uint32_t Guarded(Load load) {
  try {
    return load();
  } catch (const std::bad_alloc&) {
    return Refuse(audio::ErrorMemory);
  } catch (const std::exception&) {
    return Refuse(audio::ErrorUnknown);
  }
}

}  // namespace

SdlAudioLibrary::SdlAudioLibrary() = default;

SdlAudioLibrary::~SdlAudioLibrary() {
  if (device_ != 0) {
    // Closing waits for a running callback, so the mixer is idle before it goes.
    SDL_CloseAudioDevice(device_);
    mixer_.FreeEverything();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
}

void SdlAudioLibrary::Callback(void* user, std::uint8_t* stream, int length) {
  const auto frames = static_cast<std::size_t>(length) / (2 * sizeof(float));
  static_cast<SdlAudioLibrary*>(user)->mixer_.Mix(reinterpret_cast<float*>(stream), frames);
}

bool SdlAudioLibrary::Ready() const {
  if (device_ != 0) return true;
  SetAudioError(audio::ErrorInit);
  return false;
}

std::uint32_t SdlAudioLibrary::Audio_GetVersion() {
  SetAudioError(audio::ErrorOk);
  return audio::Version;
}

bool SdlAudioLibrary::Audio_Init(int device, std::uint32_t /*frequency*/, std::uint32_t /*flags*/,
                                 std::uintptr_t /*window*/, const void* /*classId*/) {
  if (device_ != 0) {
    SetAudioError(audio::ErrorOk);
    return true;
  }
  if (device != kDefaultDevice && device < 1) return Failed(audio::ErrorInit);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return Failed(audio::ErrorInit);
  const char* name = device == kDefaultDevice ? nullptr : SDL_GetAudioDeviceName(device - 1, 0);
  SDL_AudioSpec wanted{};
  wanted.freq = audio_detail::kMixRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = 2;
  wanted.samples = kDeviceBufferFrames;
  wanted.callback = &SdlAudioLibrary::Callback;
  wanted.userdata = this;
  SDL_AudioSpec obtained{};
  if (device == kDefaultDevice || name != nullptr) {
    device_ = SDL_OpenAudioDevice(name, 0, &wanted, &obtained, 0);
  }
  if (device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return Failed(audio::ErrorInit);
  }
  SDL_PauseAudioDevice(device_, 0);
  SetAudioError(audio::ErrorOk);
  return true;
}

bool SdlAudioLibrary::Audio_Stop() {
  if (!Ready()) return false;
  mixer_.StopAll();
  SetAudioError(audio::ErrorOk);
  return true;
}

int SdlAudioLibrary::Audio_ErrorGetCode() { return audio_detail::lastAudioError; }

std::uint32_t SdlAudioLibrary::Audio_MusicLoad(bool memory, const void* file, std::uint64_t offset,
                                               std::uint32_t length, std::uint32_t flags,
                                               std::uint32_t /*frequency*/) {
  Block block;
  if (!Ready() || !MemoryBlock(memory, file, offset, length, block)) return 0;
  return Guarded([&]() -> std::uint32_t {
    auto module =
        audio_detail::ModuleSource::Open(block.data, block.size, (flags & audio::MusicRamp) != 0);
    if (!module) return Refuse(audio::ErrorFileFormat);
    return mixer_.AddChannel(ChannelKind::kMusic, std::move(module));
  });
}

std::uint32_t SdlAudioLibrary::Audio_StreamCreateFile(bool memory, const void* file,
                                                      std::uint64_t offset, std::uint64_t length,
                                                      std::uint32_t /*flags*/) {
  Block block;
  if (!Ready() || !MemoryBlock(memory, file, offset, length, block)) return 0;
  return Guarded([&]() -> std::uint32_t {
    std::unique_ptr<audio_detail::BlockDecoder> decoder;
    if (StartsWith(block, "OggS", 4)) {
      decoder = audio_detail::OggDecoder::Open(block.data, block.size);
    } else {
      decoder = audio_detail::Mp3Decoder::Open(block.data, block.size);
    }
    if (!decoder) return Refuse(audio::ErrorFileFormat);
    return mixer_.AddChannel(ChannelKind::kStream,
                             std::make_unique<audio_detail::ResampledStream>(std::move(decoder)));
  });
}

std::uint32_t SdlAudioLibrary::Audio_SampleLoad(bool memory, const void* file, std::uint64_t offset,
                                                std::uint32_t length, std::uint32_t maxPlaybacks,
                                                std::uint32_t /*flags*/) {
  Block block;
  if (!Ready() || !MemoryBlock(memory, file, offset, length, block)) return 0;
  return Guarded([&]() -> std::uint32_t {
    std::vector<float> stereo;
    if (!audio_detail::DecodeWave(block.data, block.size, stereo)) {
      return Refuse(audio::ErrorFileFormat);
    }
    return mixer_.AddSample(std::move(stereo), maxPlaybacks);
  });
}

bool SdlAudioLibrary::Audio_MusicFree(std::uint32_t handle) {
  return Ready() && mixer_.FreeChannel(ChannelKind::kMusic, handle);
}

bool SdlAudioLibrary::Audio_StreamFree(std::uint32_t handle) {
  return Ready() && mixer_.FreeChannel(ChannelKind::kStream, handle);
}

bool SdlAudioLibrary::Audio_SampleFree(std::uint32_t handle) {
  return Ready() && mixer_.FreeSample(handle);
}

std::uint32_t SdlAudioLibrary::Audio_SampleGetChannel(std::uint32_t sample, bool onlyNew) {
  return Ready() ? mixer_.SampleGetChannel(sample, onlyNew) : 0;
}

bool SdlAudioLibrary::Audio_SampleStop(std::uint32_t sample) {
  return Ready() && mixer_.SampleStop(sample);
}

bool SdlAudioLibrary::Audio_ChannelPlay(std::uint32_t channel, bool restart) {
  return Ready() && mixer_.Play(channel, restart);
}

bool SdlAudioLibrary::Audio_ChannelStop(std::uint32_t channel) {
  return Ready() && mixer_.Stop(channel);
}

bool SdlAudioLibrary::Audio_ChannelSetPosition(std::uint32_t channel, std::uint64_t position) {
  return Ready() && mixer_.SetPosition(channel, position / audio_detail::kBytesPerFrame);
}

std::uint32_t SdlAudioLibrary::Audio_ChannelIsActive(std::uint32_t channel) {
  return Ready() ? mixer_.IsActive(channel) : audio::ActiveStopped;
}

bool SdlAudioLibrary::Audio_ChannelSetAttributes(std::uint32_t channel, int frequency, int volume,
                                                 int pan) {
  if (!Ready()) return false;
  if (frequency > 0) return Failed(audio::ErrorUnknown);
  return mixer_.SetAttributes(channel, volume, pan);
}

std::uint32_t SdlAudioLibrary::Audio_ChannelSetSync(std::uint32_t channel, std::uint32_t type,
                                                    std::uint64_t /*parameter*/, SyncProc proc,
                                                    void* user) {
  if (!Ready()) return 0;
  if (type != audio::SyncEnd || proc == nullptr) return Refuse(audio::ErrorUnknown);
  return mixer_.SetSync(channel, proc, user);
}

bool SdlAudioLibrary::Audio_ChannelRemoveSync(std::uint32_t channel, std::uint32_t sync) {
  return Ready() && mixer_.RemoveSync(channel, sync);
}

}  // namespace tvx
