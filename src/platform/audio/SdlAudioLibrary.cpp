#include "platform/audio/SdlAudioLibrary.h"

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/audio/AlsaMessages.h"
#include "platform/audio/AudioError.h"
#include "platform/audio/ModuleSource.h"
#include "platform/audio/Mp3Decoder.h"
#include "platform/audio/OggDecoder.h"
#include "platform/audio/ResampledStream.h"
#include "platform/audio/WaveSample.h"

namespace tvx {

using audio_detail::SetAudioError;

namespace {

constexpr int kDefaultDevice = -1;
constexpr Uint16 kDeviceBufferFrames = 1024;

bool Failed(int code) {
  SetAudioError(code);
  return false;
}

bool StartsWith(const std::uint8_t* data, std::size_t size, const char* tag, std::size_t length) {
  return size >= length && std::equal(tag, tag + length, data);
}

// A WAV file decoded once; every playback reads the shared frames from its own position.
class WaveSample final : public SampleSource {
 public:
  explicit WaveSample(std::vector<float> stereo) : stereo_(std::move(stereo)) {}
  std::unique_ptr<ChannelSource> NewPlayback() override {
    return std::make_unique<audio_detail::SamplePlayback>(stereo_);
  }

 private:
  std::vector<float> stereo_;
};

}  // namespace

SdlAudioLibrary::SdlAudioLibrary() = default;

SdlAudioLibrary::~SdlAudioLibrary() {
  if (device_ != 0) {
    // Closing waits for a running callback, so nothing mixes once the sounds go.
    SDL_CloseAudioDevice(device_);
    FreeEverything();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
}

void SdlAudioLibrary::Callback(void* user, std::uint8_t* stream, int length) {
  auto* library = static_cast<SdlAudioLibrary*>(user);
  const auto frames = static_cast<std::size_t>(length) / (2 * sizeof(float));
  std::lock_guard lock(library->Mutex());
  library->mixer_.Mix(*library, reinterpret_cast<float*>(stream), frames);
}

void SdlAudioLibrary::SetError(int code) { SetAudioError(code); }

void SdlAudioLibrary::SetMixLevels(const MixLevels& levels) {
  std::lock_guard lock(Mutex());
  mixer_.SetLevels(levels);
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
  // The game says "no audio device" itself when none opens.
  audio_detail::QuietAlsaMessages();
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
  SetReady();
  SDL_PauseAudioDevice(device_, 0);
  SetAudioError(audio::ErrorOk);
  return true;
}

int SdlAudioLibrary::Audio_ErrorGetCode() { return audio_detail::lastAudioError; }

std::unique_ptr<ChannelSource> SdlAudioLibrary::OpenMusic(const std::uint8_t* data,
                                                          std::size_t size, std::uint32_t flags) {
  auto module = audio_detail::ModuleSource::Open(data, size, (flags & audio::MusicRamp) != 0);
  if (!module) SetAudioError(audio::ErrorFileFormat);
  return module;
}

std::unique_ptr<ChannelSource> SdlAudioLibrary::OpenStream(const std::uint8_t* data,
                                                           std::size_t size) {
  std::unique_ptr<audio_detail::BlockDecoder> decoder;
  if (StartsWith(data, size, "OggS", 4)) {
    decoder = audio_detail::OggDecoder::Open(data, size);
  } else {
    decoder = audio_detail::Mp3Decoder::Open(data, size);
  }
  if (!decoder) {
    SetAudioError(audio::ErrorFileFormat);
    return nullptr;
  }
  return std::make_unique<audio_detail::ResampledStream>(std::move(decoder));
}

std::unique_ptr<SampleSource> SdlAudioLibrary::OpenSample(const std::uint8_t* data,
                                                          std::size_t size) {
  std::vector<float> stereo;
  if (!audio_detail::DecodeWave(data, size, stereo)) {
    SetAudioError(audio::ErrorFileFormat);
    return nullptr;
  }
  return std::make_unique<WaveSample>(std::move(stereo));
}

}  // namespace tvx
