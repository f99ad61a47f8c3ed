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

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/audio/Mixer.h"
#include "platform/rules/ChannelRules.h"

namespace tvx {

// The channel calls follow the shared channel rules; this class adds the device and decoders.
class SdlAudioLibrary : public ChannelRules {
 public:
  SdlAudioLibrary();
  ~SdlAudioLibrary() override;

  std::uint32_t Audio_GetVersion() override;
  // False when no output device could be opened: the game then plays silently.
  bool DeviceOpen() const { return device_ != 0; }
  bool Audio_Init(int device, std::uint32_t frequency, std::uint32_t flags, std::uintptr_t window,
                  const void* classId) override;
  int Audio_ErrorGetCode() override;

  // The player's volumes and mute, for every channel from now on (callable before Init).
  void SetMixLevels(const MixLevels& levels);

 protected:
  std::unique_ptr<ChannelSource> OpenMusic(const std::uint8_t* data, std::size_t size,
                                           std::uint32_t flags) override;
  std::unique_ptr<ChannelSource> OpenStream(const std::uint8_t* data, std::size_t size) override;
  std::unique_ptr<SampleSource> OpenSample(const std::uint8_t* data, std::size_t size) override;
  void SetError(int code) override;

 private:
  static void Callback(void* user, std::uint8_t* stream, int length);

  audio_detail::Mixer mixer_;
  std::uint32_t device_ = 0;
};

}  // namespace tvx
