// TSoundData: one loaded sound. It owns the library handle (released by kind when the sound
// is destroyed) and the bytes it was loaded from, which streams keep playing from, so the
// bytes outlive the handle. Looping is an end sync that rewinds the channel; the sync's user
// pointer is the library, because the sync runs on the mixer thread and may only call it.
#pragma once

#include <cstdint>
#include <string>

#include "core/MemoryStream.h"
#include "platform/AudioLibrary.h"
#include "sound/SoundKind.h"

namespace tvx {

class TSoundData {
 public:
  TSoundData(IAudioLibrary& audio, std::uint32_t handle, int volume, TSoundKind kind,
             std::string name, int index, TMemoryStream bytes);
  ~TSoundData();
  TSoundData(const TSoundData&) = delete;
  TSoundData& operator=(const TSoundData&) = delete;

  std::uint32_t Handle() const { return handle_; }
  const std::string& Name() const { return name_; }
  int Index() const { return index_; }
  TSoundKind Kind() const { return kind_; }
  std::uint32_t SyncHandle() const { return syncHandle_; }

  // True when the library accepted the play call.
  bool Play(bool loop);
  // Streams and modules are rewound; a sample stops all its playbacks. The loop sync stays.
  void Stop();
  bool IsPlaying() const;
  // Clamped to 0..100; not stored.
  void SetVolume(int volume);

  // The end sync that makes a sound loop: the channel goes on from its start.
  static void LoopSync(std::uint32_t sync, std::uint32_t channel, std::uint32_t data, void* user);

 private:
  IAudioLibrary& audio_;
  std::uint32_t handle_;
  std::string name_;
  int index_;
  TSoundKind kind_;
  std::uint32_t syncHandle_ = 0;
  TMemoryStream bytes_;
};

// Releases a library handle with the free call of its kind.
void FreeSoundHandle(IAudioLibrary& audio, TSoundKind kind, std::uint32_t handle);

}  // namespace tvx
