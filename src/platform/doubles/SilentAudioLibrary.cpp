#include "platform/doubles/SilentAudioLibrary.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tvx {

namespace {

enum class Format { kUnknown, kWave, kOgg, kMp3, kModule };

bool HasAt(const std::uint8_t* data, std::uint64_t size, std::uint64_t at, std::string_view text) {
  return size >= at + text.size() && std::memcmp(data + at, text.data(), text.size()) == 0;
}

bool IsMp3FrameSync(const std::uint8_t* data, std::uint64_t size) {
  // Eleven set sync bits, a valid layer and a bitrate index that is neither free nor bad.
  return size >= 4 && data[0] == 0xFF && (data[1] & 0xE0) == 0xE0 && (data[1] & 0x06) != 0 &&
         (data[2] & 0xF0) != 0xF0;
}

bool IsModule(const std::uint8_t* data, std::uint64_t size) {
  for (std::string_view tag : {"M.K.", "M!K!", "FLT4", "FLT8", "4CHN", "6CHN", "8CHN"}) {
    if (HasAt(data, size, 1080, tag)) return true;
  }
  static constexpr std::uint8_t kUmx[] = {0xC1, 0x83, 0x2A, 0x9E};
  return HasAt(data, size, 0, "Extended Module: ") || HasAt(data, size, 44, "SCRM") ||
         HasAt(data, size, 0, "IMPM") || HasAt(data, size, 0, "MTM") ||
         HasAt(data, size, 0, "MO3") || (size >= 4 && std::memcmp(data, kUmx, 4) == 0);
}

Format FormatOf(const std::uint8_t* data, std::uint64_t size) {
  if (HasAt(data, size, 0, "RIFF") && HasAt(data, size, 8, "WAVE")) return Format::kWave;
  if (HasAt(data, size, 0, "OggS")) return Format::kOgg;
  if (HasAt(data, size, 0, "ID3") || IsMp3FrameSync(data, size)) return Format::kMp3;
  if (IsModule(data, size)) return Format::kModule;
  return Format::kUnknown;
}

std::string Flag(bool value) { return value ? "1" : "0"; }

}  // namespace

bool SilentAudioLibrary::Fail(int code) {
  error_ = code;
  return false;
}

bool SilentAudioLibrary::Succeed() {
  error_ = audio::ErrorOk;
  return true;
}

std::uint32_t SilentAudioLibrary::Audio_GetVersion() {
  Record([&] { return std::string("GetVersion"); });
  return version;
}

bool SilentAudioLibrary::Audio_Init(int device, std::uint32_t frequency, std::uint32_t flags,
                                    std::uintptr_t /*window*/, const void* /*classId*/) {
  Record([&] {
    return std::string("Init device=" + std::to_string(device) + " frequency=" +
                       std::to_string(frequency) + " flags=" + std::to_string(flags));
  });
  if (failInit) return Fail(audio::ErrorInit);
  initialized_ = true;
  return Succeed();
}

bool SilentAudioLibrary::Audio_Stop() {
  Record([&] { return std::string("Stop"); });
  if (!initialized_) return Fail(audio::ErrorInit);
  for (auto& [handle, channel] : channels_) {
    if (channel.state == State::kPlaying) channel.state = State::kStopped;
  }
  return Succeed();
}

int SilentAudioLibrary::Audio_ErrorGetCode() {
  Record([&] { return std::string("ErrorGetCode"); });
  return error_;
}

std::uint32_t SilentAudioLibrary::Load(Kind kind, bool memory, const void* file,
                                       std::uint64_t offset, std::uint64_t length,
                                       std::uint32_t maxPlaybacks) {
  if (!initialized_) return Fail(audio::ErrorInit);
  if (failLoads) return Fail(loadErrorCode);
  if (!memory || file == nullptr || length == 0) return Fail(audio::ErrorFileFormat);
  const Format format = FormatOf(static_cast<const std::uint8_t*>(file) + offset, length);
  const bool accepted =
      (kind == Kind::kMusic && format == Format::kModule) ||
      (kind == Kind::kStream && (format == Format::kOgg || format == Format::kMp3)) ||
      (kind == Kind::kSample && format == Format::kWave);
  if (!accepted) return Fail(audio::ErrorFileFormat);
  const std::uint32_t handle = nextHandle_++;
  Sound& sound = sounds_[handle];
  sound.kind = kind;
  sound.length = defaultLength;
  sound.maxPlaybacks = std::max<std::uint32_t>(maxPlaybacks, 1);
  if (kind != Kind::kSample) {
    channels_[handle].sound = handle;
    sound.channels.push_back(handle);
  }
  Succeed();
  return handle;
}

std::uint32_t SilentAudioLibrary::Audio_MusicLoad(bool memory, const void* file,
                                                  std::uint64_t offset, std::uint32_t length,
                                                  std::uint32_t flags, std::uint32_t frequency) {
  Record([&] {
    return std::string("MusicLoad length=" + std::to_string(length) + " flags=" +
                       std::to_string(flags) + " frequency=" + std::to_string(frequency));
  });
  return Load(Kind::kMusic, memory, file, offset, length, 1);
}

std::uint32_t SilentAudioLibrary::Audio_StreamCreateFile(bool memory, const void* file,
                                                         std::uint64_t offset, std::uint64_t length,
                                                         std::uint32_t flags) {
  Record([&] {
    return std::string("StreamCreateFile length=" + std::to_string(length) +
                       " flags=" + std::to_string(flags));
  });
  return Load(Kind::kStream, memory, file, offset, length, 1);
}

std::uint32_t SilentAudioLibrary::Audio_SampleLoad(bool memory, const void* file,
                                                   std::uint64_t offset, std::uint32_t length,
                                                   std::uint32_t maxPlaybacks,
                                                   std::uint32_t flags) {
  Record([&] {
    return std::string("SampleLoad length=" + std::to_string(length) +
                       " max=" + std::to_string(maxPlaybacks) + " flags=" + std::to_string(flags));
  });
  return Load(Kind::kSample, memory, file, offset, length, maxPlaybacks);
}

bool SilentAudioLibrary::Free(Kind kind, std::uint32_t handle) {
  Sound* sound = FindSound(handle);
  if (sound == nullptr || sound->kind != kind) return Fail(audio::ErrorHandle);
  for (std::uint32_t channel : sound->channels) channels_.erase(channel);
  sounds_.erase(handle);
  return Succeed();
}

bool SilentAudioLibrary::Audio_MusicFree(std::uint32_t handle) {
  Record([&] { return std::string("MusicFree handle=" + std::to_string(handle)); });
  return Free(Kind::kMusic, handle);
}

bool SilentAudioLibrary::Audio_StreamFree(std::uint32_t handle) {
  Record([&] { return std::string("StreamFree handle=" + std::to_string(handle)); });
  return Free(Kind::kStream, handle);
}

bool SilentAudioLibrary::Audio_SampleFree(std::uint32_t handle) {
  Record([&] { return std::string("SampleFree handle=" + std::to_string(handle)); });
  return Free(Kind::kSample, handle);
}

std::uint32_t SilentAudioLibrary::Audio_SampleGetChannel(std::uint32_t sample, bool onlyNew) {
  Record([&] {
    return std::string("SampleGetChannel sample=" + std::to_string(sample) +
                       " onlyNew=" + Flag(onlyNew));
  });
  Sound* sound = FindSound(sample);
  if (sound == nullptr || sound->kind != Kind::kSample) return Fail(audio::ErrorHandle);
  std::uint32_t chosen = 0;
  if (!onlyNew) {
    for (std::uint32_t handle : sound->channels) {
      if (channels_[handle].state != State::kPlaying) chosen = handle;
    }
  }
  if (chosen == 0 && sound->channels.size() < sound->maxPlaybacks) {
    chosen = nextHandle_++;
    channels_[chosen].sound = sample;
    sound->channels.push_back(chosen);
  }
  if (chosen == 0) {
    // Every playback is busy: the one furthest along makes room.
    chosen = *std::max_element(sound->channels.begin(), sound->channels.end(),
                               [this](std::uint32_t a, std::uint32_t b) {
                                 return channels_[a].position < channels_[b].position;
                               });
  }
  Channel& channel = channels_[chosen];
  channel.state = State::kStopped;
  channel.position = 0;
  channel.volume = sound->volume;
  Succeed();
  return chosen;
}

void SilentAudioLibrary::StopSample(Sound& sample) {
  for (std::uint32_t handle : sample.channels) {
    channels_[handle].state = State::kStopped;
    channels_[handle].position = 0;
  }
}

bool SilentAudioLibrary::Audio_SampleStop(std::uint32_t sample) {
  Record([&] { return std::string("SampleStop sample=" + std::to_string(sample)); });
  Sound* sound = FindSound(sample);
  if (sound == nullptr || sound->kind != Kind::kSample) return Fail(audio::ErrorHandle);
  StopSample(*sound);
  return Succeed();
}

bool SilentAudioLibrary::Audio_ChannelPlay(std::uint32_t handle, bool restart) {
  Record([&] {
    return std::string("ChannelPlay handle=" + std::to_string(handle) +
                       " restart=" + Flag(restart));
  });
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) return Fail(audio::ErrorHandle);
  if (failPlay) return Fail(audio::ErrorNoPlay);
  if (restart || channel->state == State::kEnded) channel->position = 0;
  channel->state = State::kPlaying;
  return Succeed();
}

bool SilentAudioLibrary::Audio_ChannelStop(std::uint32_t handle) {
  Record([&] { return std::string("ChannelStop handle=" + std::to_string(handle)); });
  if (Sound* sound = FindSound(handle); sound != nullptr && sound->kind == Kind::kSample) {
    StopSample(*sound);
    return Succeed();
  }
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) return Fail(audio::ErrorHandle);
  if (channel->state == State::kPlaying) channel->state = State::kStopped;
  return Succeed();
}

bool SilentAudioLibrary::Audio_ChannelSetPosition(std::uint32_t handle, std::uint64_t position) {
  Record([&] {
    return std::string("ChannelSetPosition handle=" + std::to_string(handle) +
                       " position=" + std::to_string(position));
  });
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) return Fail(audio::ErrorHandle);
  const Sound& sound = sounds_.at(channel->sound);
  if (sound.length != 0 && position >= sound.length) return Fail(audio::ErrorUnknown);
  channel->position = position;
  // Rewinding from an end sync keeps the channel going; elsewhere the state stays.
  if (channel->ending) {
    channel->state = State::kPlaying;
  } else if (channel->state == State::kEnded) {
    channel->state = State::kStopped;
  }
  return Succeed();
}

std::uint32_t SilentAudioLibrary::Audio_ChannelIsActive(std::uint32_t handle) {
  Record([&] { return std::string("ChannelIsActive handle=" + std::to_string(handle)); });
  if (Sound* sound = FindSound(handle); sound != nullptr && sound->kind == Kind::kSample) {
    Succeed();
    for (std::uint32_t channel : sound->channels) {
      if (channels_[channel].state == State::kPlaying) return audio::ActivePlaying;
    }
    return audio::ActiveStopped;
  }
  const Channel* channel = FindChannel(handle);
  if (channel == nullptr) {
    Fail(audio::ErrorHandle);
    return audio::ActiveStopped;
  }
  Succeed();
  return channel->state == State::kPlaying ? audio::ActivePlaying : audio::ActiveStopped;
}

bool SilentAudioLibrary::Audio_ChannelSetAttributes(std::uint32_t handle, int frequency, int volume,
                                                    int pan) {
  Record([&] {
    return std::string("ChannelSetAttributes handle=" + std::to_string(handle) +
                       " frequency=" + std::to_string(frequency) +
                       " volume=" + std::to_string(volume) + " pan=" + std::to_string(pan));
  });
  // A negative volume leaves the current one.
  const bool keepVolume = volume < 0;
  volume = std::min(volume, 100);
  if (Sound* sound = FindSound(handle); sound != nullptr && sound->kind == Kind::kSample) {
    if (keepVolume) return Succeed();
    sound->volume = volume;
    for (std::uint32_t channel : sound->channels) channels_[channel].volume = volume;
    return Succeed();
  }
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) return Fail(audio::ErrorHandle);
  if (!keepVolume) channel->volume = volume;
  return Succeed();
}

std::uint32_t SilentAudioLibrary::Audio_ChannelSetSync(std::uint32_t handle, std::uint32_t type,
                                                       std::uint64_t parameter, SyncProc proc,
                                                       void* user) {
  Record([&] {
    return std::string("ChannelSetSync handle=" + std::to_string(handle) +
                       " type=" + std::to_string(type) + " parameter=" + std::to_string(parameter));
  });
  Sound* sound = FindSound(handle);
  if (sound == nullptr) return Fail(audio::ErrorHandle);
  if (type != audio::SyncEnd || proc == nullptr) return Fail(audio::ErrorUnknown);
  const std::uint32_t sync = nextSync_++;
  sound->syncs.push_back({sync, proc, user});
  Succeed();
  return sync;
}

bool SilentAudioLibrary::Audio_ChannelRemoveSync(std::uint32_t handle, std::uint32_t sync) {
  Record([&] {
    return std::string("ChannelRemoveSync handle=" + std::to_string(handle) +
                       " sync=" + std::to_string(sync));
  });
  Sound* sound = FindSound(handle);
  if (sound == nullptr) return Fail(audio::ErrorHandle);
  auto found = std::find_if(sound->syncs.begin(), sound->syncs.end(),
                            [sync](const Sync& s) { return s.handle == sync; });
  if (found == sound->syncs.end()) return Fail(audio::ErrorHandle);
  sound->syncs.erase(found);
  return Succeed();
}

void SilentAudioLibrary::Advance(std::uint64_t frames) {
  std::vector<std::uint32_t> ended;
  for (auto& [handle, channel] : channels_) {
    if (channel.state != State::kPlaying) continue;
    const std::uint64_t length = sounds_.at(channel.sound).length;
    channel.position += frames;
    if (length != 0 && channel.position >= length) {
      channel.position = length;
      ended.push_back(handle);
    }
  }
  for (std::uint32_t handle : ended) EndChannel(handle);
}

void SilentAudioLibrary::EndChannel(std::uint32_t handle) {
  Channel* channel = FindChannel(handle);
  if (channel == nullptr) return;
  channel->state = State::kEnded;
  channel->ending = true;
  // A copy: a sync may change the sound's sync list.
  const std::vector<Sync> syncs = sounds_.at(channel->sound).syncs;
  for (const Sync& sync : syncs) sync.proc(sync.handle, handle, 0, sync.user);
  if (Channel* after = FindChannel(handle)) after->ending = false;
}

void SilentAudioLibrary::SetLength(std::uint32_t handle, std::uint64_t frames) {
  if (Sound* sound = FindSound(handle)) sound->length = frames;
}

int SilentAudioLibrary::Volume(std::uint32_t handle) const {
  if (auto sound = sounds_.find(handle);
      sound != sounds_.end() && sound->second.kind == Kind::kSample) {
    return sound->second.volume;
  }
  auto channel = channels_.find(handle);
  return channel == channels_.end() ? -1 : channel->second.volume;
}

std::uint64_t SilentAudioLibrary::Position(std::uint32_t handle) const {
  auto channel = channels_.find(handle);
  return channel == channels_.end() ? 0 : channel->second.position;
}

bool SilentAudioLibrary::Playing(std::uint32_t handle) const {
  auto channel = channels_.find(handle);
  return channel != channels_.end() && channel->second.state == State::kPlaying;
}

std::size_t SilentAudioLibrary::SyncCount(std::uint32_t handle) const {
  auto sound = sounds_.find(handle);
  return sound == sounds_.end() ? 0 : sound->second.syncs.size();
}

std::vector<std::uint32_t> SilentAudioLibrary::SampleChannels(std::uint32_t sample) const {
  auto sound = sounds_.find(sample);
  if (sound == sounds_.end() || sound->second.kind != Kind::kSample) return {};
  return sound->second.channels;
}

SilentAudioLibrary::Sound* SilentAudioLibrary::FindSound(std::uint32_t handle) {
  auto found = sounds_.find(handle);
  return found == sounds_.end() ? nullptr : &found->second;
}

SilentAudioLibrary::Channel* SilentAudioLibrary::FindChannel(std::uint32_t handle) {
  auto found = channels_.find(handle);
  return found == channels_.end() ? nullptr : &found->second;
}

}  // namespace tvx
