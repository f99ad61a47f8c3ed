#include "sound/SoundData.h"

#include <algorithm>
#include <utility>

namespace tvx {

void FreeSoundHandle(IAudioLibrary& audio, TSoundKind kind, std::uint32_t handle) {
  switch (kind) {
    case TSoundKind::skModule:
      audio.Audio_MusicFree(handle);
      break;
    case TSoundKind::skMp3:
    case TSoundKind::skOgg:
      audio.Audio_StreamFree(handle);
      break;
    case TSoundKind::skWave:
      audio.Audio_SampleFree(handle);
      break;
    case TSoundKind::skNone:
      break;
  }
}

TSoundData::TSoundData(IAudioLibrary& audio, std::uint32_t handle, int volume, TSoundKind kind,
                       std::string name, int index, TMemoryStream bytes)
    : audio_(audio),
      handle_(handle),
      name_(std::move(name)),
      index_(index),
      kind_(kind),
      bytes_(std::move(bytes)) {
  SetVolume(volume);
}

TSoundData::~TSoundData() { FreeSoundHandle(audio_, kind_, handle_); }

bool TSoundData::Play(bool loop) {
  audio_.Audio_ChannelRemoveSync(handle_, syncHandle_);
  if (loop) {
    syncHandle_ =
        audio_.Audio_ChannelSetSync(handle_, audio::SyncEnd, 0, &TSoundData::LoopSync, &audio_);
  }
  if (kind_ == TSoundKind::skWave) {
    return audio_.Audio_ChannelPlay(audio_.Audio_SampleGetChannel(handle_, false), false);
  }
  return audio_.Audio_ChannelPlay(handle_, false);
}

void TSoundData::Stop() {
  if (kind_ == TSoundKind::skWave) {
    audio_.Audio_SampleStop(handle_);
    return;
  }
  audio_.Audio_ChannelStop(handle_);
  audio_.Audio_ChannelSetPosition(handle_, 0);
}

bool TSoundData::IsPlaying() const {
  return audio_.Audio_ChannelIsActive(handle_) == audio::ActivePlaying;
}

void TSoundData::SetVolume(int volume) {
  audio_.Audio_ChannelSetAttributes(handle_, 0, std::clamp(volume, 0, 100), 0);
}

void TSoundData::LoopSync(std::uint32_t /*sync*/, std::uint32_t channel, std::uint32_t /*data*/,
                          void* user) {
  static_cast<IAudioLibrary*>(user)->Audio_ChannelSetPosition(channel, 0);
}

}  // namespace tvx
