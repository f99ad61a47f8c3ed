// Mixer: the channels that play into the output, shared by the main thread and the audio
// thread under one recursive mutex.
//
// A stream or module is one channel; a sample has up to its playback count of channels of its
// own, the one furthest along being taken over when more are asked for. Mix runs on the audio
// thread: it decodes the next block of each playing channel, adds it at the channel's gains,
// and when a channel runs out calls its end syncs on that thread with the mutex held. A sync
// may call back into the library (the mutex is recursive); a rewind from a sync keeps the
// channel playing and the rest of the block is filled from its new position, so loops have
// no gap. Decoders are built and destroyed outside the lock; the mix itself only decodes.
// Sync procedures may not free sounds: that is refused while mixing.
//
// The player's volumes act at the same gain stage as each channel's own: every channel is
// music or an effect (effects unless marked), and its gains are multiplied by the master and
// its group's level, or by 0 when muted.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/AudioSource.h"
#include "platform/AudioLibrary.h"

namespace tvx {

// The player's volumes, 0..100 each.
struct MixLevels {
  int master = 100;
  int music = 100;
  int effects = 100;
  bool muted = false;
};

}  // namespace tvx

namespace tvx::audio_detail {

enum class ChannelKind { kMusic, kStream, kSamplePlayback };

class Mixer {
 public:
  Mixer();
  ~Mixer();

  std::uint32_t AddChannel(ChannelKind kind, std::unique_ptr<AudioSource> source);
  std::uint32_t AddSample(std::vector<float> stereo, std::uint32_t maxPlaybacks);
  bool FreeChannel(ChannelKind kind, std::uint32_t handle);
  bool FreeSample(std::uint32_t handle);
  void FreeEverything();

  std::uint32_t SampleGetChannel(std::uint32_t sample, bool onlyNew);
  bool SampleStop(std::uint32_t sample);

  bool Play(std::uint32_t channel, bool restart);
  bool Stop(std::uint32_t handle);
  void StopAll();
  bool SetPosition(std::uint32_t channel, std::uint64_t frame);
  std::uint32_t IsActive(std::uint32_t handle);
  bool SetAttributes(std::uint32_t handle, int volume, int pan);
  std::uint32_t SetSync(std::uint32_t handle, SyncProc proc, void* user);
  bool RemoveSync(std::uint32_t handle, std::uint32_t sync);

  void SetLevels(const MixLevels& levels);
  // Marks a stream, module or sample (and its playbacks) as music; false for an unknown handle.
  bool SetMusic(std::uint32_t handle, bool music);

  // Audio thread: writes `frames` stereo frames, silence where nothing plays.
  void Mix(float* stereo, std::size_t frames);

 private:
  struct Channel;
  struct Sample;
  struct Sync {
    std::uint32_t handle;
    SyncProc proc;
    void* user;
  };

  Channel* FindChannel(std::uint32_t handle);
  Sample* FindSample(std::uint32_t handle);
  std::vector<Sync>* SyncsOf(std::uint32_t handle);
  bool PrepareSource(std::uint32_t handle);
  void MixChannel(Channel& channel, float* stereo, std::size_t frames);
  void EndChannel(Channel& channel);
  void StopSampleChannels(Sample& sample);
  void ApplyGains(Channel& channel, int volume, int pan);

  std::recursive_mutex mutex_;
  bool mixing_ = false;
  std::uint32_t nextHandle_ = 1;
  std::uint32_t nextSync_ = 1;
  std::vector<std::unique_ptr<Channel>> channels_;
  std::vector<std::unique_ptr<Sample>> samples_;
  std::array<float, 2 * kBlockFrames> scratch_{};
  float effectsLevel_ = 1.0f;
  float musicLevel_ = 1.0f;
};

}  // namespace tvx::audio_detail
