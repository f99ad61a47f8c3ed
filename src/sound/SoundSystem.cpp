#include "sound/SoundSystem.h"

#include <exception>
#include <utility>

#include "archive/RecordWalk.h"
#include "core/MemoryStream.h"

namespace tvx {

namespace {

constexpr int kDefaultDevice = -1;
constexpr std::uint32_t kOutputFrequency = 44100;
constexpr std::uint32_t kSamplePlaybacks = 3;

}  // namespace

TSoundSystem::TSoundSystem(TComponent* owner, IAudioLibrary& audio, TErrorEvent onError)
    : TComponent(owner), OnError(std::move(onError)), audio_(audio) {
  if (audio_.Audio_GetVersion() != audio::Version) {
    ReportError("Error initializing sound. Audio library version 2.2 was not loaded!");
  }
  if (!audio_.Audio_Init(kDefaultDevice, kOutputFrequency, 0, 0, nullptr)) {
    ReportError("Error initializing sound");
  }
}

TSoundSystem::~TSoundSystem() {
  audio_.Audio_Stop();
  FreeAll();
}

const TSoundData* TSoundSystem::Sound(int index) const { return At(index); }

bool TSoundSystem::LoadFromPxDb(TPxDb& archive) {
  if (!archive.EnsureOpen()) return false;
  bool result = false;
  FreeAll();
  // Every sound is tried; the result is the last one's.
  WalkRecords(
      archive,
      [&](int index) { return SoundKindOf(archive.RecordKey(index)) != TSoundKind::skNone; },
      [&](const std::string& key) {
        result = LoadSound(key, archive);
        return true;
      });
  return result;
}

bool TSoundSystem::LoadSound(const std::string& key, TPxDb& archive) {
  if (!archive.EnsureOpen()) return false;
  try {
    TMemoryStream stream;
    if (archive.FindRecord(key) == -1) return false;
    // A failed read leaves the stream empty, and the library then refuses the empty data.
    archive.ReadStream(key, stream);
    const TSoundKind kind = SoundKindOf(key);
    if (kind == TSoundKind::skNone) return false;
    const std::uint32_t handle = LoadHandle(key, kind, stream);
    if (handle == 0) return false;
    std::unique_ptr<TSoundData> sound;
    try {
      sound = std::make_unique<TSoundData>(audio_, handle, LoadVolume, kind, key, Count(),
                                           std::move(stream));
    } catch (...) {
      FreeSoundHandle(audio_, kind, handle);
      throw;
    }
    // From here the sound owns the handle: if the list cannot grow, it releases it.
    sounds_.reserve(sounds_.size() + 1);
    // The event sees the count from before the sound is added; its index is that count.
    if (OnLoad) OnLoad(this, Count(), key);
    sounds_.push_back(std::move(sound));
    return true;
  } catch (const std::exception& e) {
    ReportError("Unable to load sound " + key + ". " + e.what());
    return false;
  }
}

std::uint32_t TSoundSystem::LoadHandle(const std::string& key, TSoundKind kind,
                                       const TMemoryStream& bytes) {
  const void* data = bytes.Memory();
  const auto size = static_cast<std::uint32_t>(bytes.Size());
  std::uint32_t handle = 0;
  switch (kind) {
    case TSoundKind::skModule:
      handle = audio_.Audio_MusicLoad(true, data, 0, size, audio::MusicRamp, 0);
      break;
    case TSoundKind::skMp3:
    case TSoundKind::skOgg:
      handle = audio_.Audio_StreamCreateFile(true, data, 0, size, 0);
      break;
    case TSoundKind::skWave:
      handle = audio_.Audio_SampleLoad(true, data, 0, size, kSamplePlaybacks, audio::SampleOverPos);
      break;
    case TSoundKind::skNone:
      break;
  }
  if (handle == 0) {
    // "errocode" is misspelt on purpose: logs are matched against this exact text.
    ReportError("Unable to load sound " + key + " - audio errocode " +
                std::to_string(audio_.Audio_ErrorGetCode()));
  }
  return handle;
}

void TSoundSystem::FreeAll() { sounds_.clear(); }

void TSoundSystem::Play(const std::string& name, bool loop) { PlayIndex(IndexOf(name), loop); }

void TSoundSystem::PlayIndex(int index, bool loop) {
  TSoundData* sound = At(index);
  if (sound == nullptr) return;
  if (!sound->Play(loop)) ReportError("Unable to play sound " + sound->Name());
}

void TSoundSystem::Stop(const std::string& name) { StopIndex(IndexOf(name)); }

void TSoundSystem::StopIndex(int index) {
  if (TSoundData* sound = At(index)) sound->Stop();
}

void TSoundSystem::StopAll() {
  for (int i = 0; i < Count(); ++i) StopIndex(i);
}

bool TSoundSystem::IsPlaying(const std::string& name) const {
  return IsPlayingIndex(IndexOf(name));
}

bool TSoundSystem::IsPlayingIndex(int index) const {
  const TSoundData* sound = At(index);
  return sound != nullptr && sound->IsPlaying();
}

void TSoundSystem::SetVolume(const std::string& name, int volume) {
  SetVolumeIndex(IndexOf(name), volume);
}

void TSoundSystem::SetVolumeIndex(int index, int volume) {
  if (TSoundData* sound = At(index)) sound->SetVolume(volume);
}

int TSoundSystem::IndexOf(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    if (sounds_[i]->Name() == name) return i;
  }
  return -1;
}

TSoundData* TSoundSystem::At(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return sounds_[index].get();
}

void TSoundSystem::ReportError(const std::string& text) {
  if (OnError) OnError(this, text);
}

}  // namespace tvx
