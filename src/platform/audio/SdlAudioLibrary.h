// SdlAudioLibrary: the audio library of the real game, playing through one SDL output device
// at 44100 Hz stereo (float samples).
//
// Audio_Init opens the device and starts its callback, which runs the mixer; until it has
// succeeded every call fails harmlessly with ErrorInit, so a machine without sound runs
// silent. Streams (MP3 by mpg123, OGG by vorbisfile) decode block by block from the caller's
// memory, which must outlive the handle; modules (libopenmpt) and WAV samples (SDL, decoded
// once) copy what they need. Data that does not decode fails its load with ErrorFileFormat.
// Positions are bytes of 16-bit stereo output (four per frame). Only memory loads are
// offered: the game loads everything from its archive. Only end syncs exist; frequency
// changes are refused. Errors are kept per calling thread.
#pragma once

#include <cstdint>

#include "platform/audio/Mixer.h"
#include "platform/AudioLibrary.h"

namespace tvx {

class SdlAudioLibrary : public IAudioLibrary {
 public:
  SdlAudioLibrary();
  ~SdlAudioLibrary() override;
  SdlAudioLibrary(const SdlAudioLibrary&) = delete;
  SdlAudioLibrary& operator=(const SdlAudioLibrary&) = delete;

  std::uint32_t Audio_GetVersion() override;
  // False when no output device could be opened: the game then plays silently.
  bool DeviceOpen() const { return device_ != 0; }
  bool Audio_Init(int device, std::uint32_t frequency, std::uint32_t flags, std::uintptr_t window,
                  const void* classId) override;
  bool Audio_Stop() override;
  int Audio_ErrorGetCode() override;
  std::uint32_t Audio_MusicLoad(bool memory, const void* file, std::uint64_t offset,
                                std::uint32_t length, std::uint32_t flags,
                                std::uint32_t frequency) override;
  std::uint32_t Audio_StreamCreateFile(bool memory, const void* file, std::uint64_t offset,
                                       std::uint64_t length, std::uint32_t flags) override;
  std::uint32_t Audio_SampleLoad(bool memory, const void* file, std::uint64_t offset,
                                 std::uint32_t length, std::uint32_t maxPlaybacks,
                                 std::uint32_t flags) override;
  bool Audio_MusicFree(std::uint32_t handle) override;
  bool Audio_StreamFree(std::uint32_t handle) override;
  bool Audio_SampleFree(std::uint32_t handle) override;
  std::uint32_t Audio_SampleGetChannel(std::uint32_t sample, bool onlyNew) override;
  bool Audio_SampleStop(std::uint32_t sample) override;
  bool Audio_ChannelPlay(std::uint32_t channel, bool restart) override;
  bool Audio_ChannelStop(std::uint32_t channel) override;
  bool Audio_ChannelSetPosition(std::uint32_t channel, std::uint64_t position) override;
  std::uint32_t Audio_ChannelIsActive(std::uint32_t channel) override;
  bool Audio_ChannelSetAttributes(std::uint32_t channel, int frequency, int volume,
                                  int pan) override;
  std::uint32_t Audio_ChannelSetSync(std::uint32_t channel, std::uint32_t type,
                                     std::uint64_t parameter, SyncProc proc, void* user) override;
  bool Audio_ChannelRemoveSync(std::uint32_t channel, std::uint32_t sync) override;

  // The player's volumes and mute, for every channel from now on (callable before Init).
  void SetMixLevels(const MixLevels& levels) { mixer_.SetLevels(levels); }
  // Counts a loaded sound as music rather than as an effect for the volumes.
  bool SetMusic(std::uint32_t handle) { return mixer_.SetMusic(handle, true); }

 private:
  static void Callback(void* user, std::uint8_t* stream, int length);
  // False, with ErrorInit, before a successful Audio_Init.
  bool Ready() const;

  audio_detail::Mixer mixer_;
  std::uint32_t device_ = 0;
};

}  // namespace tvx
