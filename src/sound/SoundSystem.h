// TSoundSystem: the list of sounds loaded from the resource archive into the audio library,
// played, stopped and turned up or down by archive key or by list index.
//
// Sounds are kept in load order (the archive's table order), so the first ones are the
// game's music slots. By-name calls act on the first sound whose name matches exactly, letter
// case included; a name or index that matches nothing makes a call do nothing. Every failure
// is a false result and a message through OnError; nothing is raised.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/PxDb.h"
#include "core/Component.h"
#include "core/MemoryStream.h"
#include "platform/AudioLibrary.h"
#include "sound/SoundData.h"
#include "sound/SoundKind.h"

namespace tvx {

using TPxDbLoadEvent = std::function<void(TComponent* sender, int index, const std::string& name)>;
using TErrorEvent = std::function<void(TComponent* sender, const std::string& errorText)>;

class TSoundSystem : public TComponent {
 public:
  // Every sound is loaded at this volume (0..100) until the game sets another.
  static constexpr int LoadVolume = 100;

  // Checks the library's version and opens the default output; both only report on failure,
  // through `onError` (the handler can only be assigned to OnError once creation is over).
  TSoundSystem(TComponent* owner, IAudioLibrary& audio, TErrorEvent onError = {});
  ~TSoundSystem() override;

  int Count() const { return static_cast<int>(sounds_.size()); }
  // nullptr outside 0..Count-1.
  const TSoundData* Sound(int index) const;

  // Frees every sound, then loads every record whose key names a sound kind; the result is
  // that of the last sound tried (false when there was none).
  bool LoadFromPxDb(TPxDb& archive);
  bool LoadSound(const std::string& key, TPxDb& archive);
  void FreeAll();

  void Play(const std::string& name, bool loop);
  void PlayIndex(int index, bool loop);
  void Stop(const std::string& name);
  void StopIndex(int index);
  void StopAll();
  bool IsPlaying(const std::string& name) const;
  bool IsPlayingIndex(int index) const;
  void SetVolume(const std::string& name, int volume);
  void SetVolumeIndex(int index, int volume);

  TPxDbLoadEvent OnLoad;
  TErrorEvent OnError;

 private:
  int IndexOf(const std::string& name) const;
  TSoundData* At(int index) const;
  void ReportError(const std::string& text);
  // Loads the record's bytes into the library; 0 with a reported error on failure.
  std::uint32_t LoadHandle(const std::string& key, TSoundKind kind, const TMemoryStream& bytes);

  IAudioLibrary& audio_;
  std::vector<std::unique_ptr<TSoundData>> sounds_;
};

}  // namespace tvx
