// The audio library the sound system plays through: tracker modules ("music"), streams
// decoded on the fly from a memory block (MP3, OGG) and samples decoded once (WAV) with up to
// a given number of simultaneous playbacks. Handles are non-zero 32-bit values; a channel of
// a module or stream is its own handle, a sample's playbacks get channels of their own.
// End syncs are called from the mixer thread; their procedure may only call back into the
// library. The real library mixes into one SDL audio device at 44100 Hz; the silent double
// keeps playing state, volumes and the order of calls for tests.
#pragma once

#include <cstdint>

namespace tvx {

namespace audio {
constexpr std::uint32_t Version = 0x20002;
constexpr std::uint32_t MusicRamp = 0x200;
constexpr std::uint32_t SampleOverPos = 0x20000;
constexpr std::uint32_t SyncEnd = 2;
constexpr std::uint32_t ActiveStopped = 0;
constexpr std::uint32_t ActivePlaying = 1;
constexpr std::uint32_t ActivePaused = 3;
// Error codes for ErrorGetCode.
constexpr int ErrorOk = 0;
constexpr int ErrorMemory = 1;
constexpr int ErrorInit = 8;
constexpr int ErrorHandle = 5;
constexpr int ErrorFileFormat = 41;
constexpr int ErrorCodec = 44;
constexpr int ErrorNoPlay = 24;
constexpr int ErrorUnknown = -1;
}  // namespace audio

using SyncProc = void (*)(std::uint32_t sync, std::uint32_t channel, std::uint32_t data,
                          void* user);

class IAudioLibrary {
 public:
  virtual ~IAudioLibrary() = default;

  virtual std::uint32_t Audio_GetVersion() = 0;
  // device -1 = default; false when no output device can be opened.
  virtual bool Audio_Init(int device, std::uint32_t frequency, std::uint32_t flags,
                          std::uintptr_t window, const void* classId) = 0;
  virtual bool Audio_Stop() = 0;
  virtual int Audio_ErrorGetCode() = 0;

  // Loaders: `memory` true means `file` points at `length` bytes that stay valid as long as
  // the handle lives (streams play straight from them). 0 on failure.
  virtual std::uint32_t Audio_MusicLoad(bool memory, const void* file, std::uint64_t offset,
                                        std::uint32_t length, std::uint32_t flags,
                                        std::uint32_t frequency) = 0;
  virtual std::uint32_t Audio_StreamCreateFile(bool memory, const void* file, std::uint64_t offset,
                                               std::uint64_t length, std::uint32_t flags) = 0;
  virtual std::uint32_t Audio_SampleLoad(bool memory, const void* file, std::uint64_t offset,
                                         std::uint32_t length, std::uint32_t maxPlaybacks,
                                         std::uint32_t flags) = 0;
  virtual bool Audio_MusicFree(std::uint32_t handle) = 0;
  virtual bool Audio_StreamFree(std::uint32_t handle) = 0;
  virtual bool Audio_SampleFree(std::uint32_t handle) = 0;

  // A channel for one playback of a sample; with more playbacks than allowed the one furthest
  // along is replaced.
  virtual std::uint32_t Audio_SampleGetChannel(std::uint32_t sample, bool onlyNew) = 0;
  virtual bool Audio_SampleStop(std::uint32_t sample) = 0;

  // Playing a playing channel continues it; playing an ended one starts it from the start.
  virtual bool Audio_ChannelPlay(std::uint32_t channel, bool restart) = 0;
  virtual bool Audio_ChannelStop(std::uint32_t channel) = 0;
  virtual bool Audio_ChannelSetPosition(std::uint32_t channel, std::uint64_t position) = 0;
  virtual std::uint32_t Audio_ChannelIsActive(std::uint32_t channel) = 0;
  // volume 0..100; frequency 0 and pan 0 keep the defaults.
  virtual bool Audio_ChannelSetAttributes(std::uint32_t channel, int frequency, int volume,
                                          int pan) = 0;
  virtual std::uint32_t Audio_ChannelSetSync(std::uint32_t channel, std::uint32_t type,
                                             std::uint64_t parameter, SyncProc proc,
                                             void* user) = 0;
  virtual bool Audio_ChannelRemoveSync(std::uint32_t channel, std::uint32_t sync) = 0;
};

}  // namespace tvx
