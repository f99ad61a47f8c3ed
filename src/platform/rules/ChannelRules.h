// The channel rules of the audio library, shared by the real library and its silent double so
// that both answer every call the same way; they differ only in what a sound is made of (the
// hooks below) and in how time passes (the mixer reads the sources, the double advances).
//
// A module or stream is one channel; a sample gets up to its playback count of channels of
// its own. Handles of sounds and channels come from one counter. Playing a playing or stopped
// channel goes on from where it is, an ended one (or any, asked to restart) starts over.
// Asking a sample for a channel takes, unless only a new one will do, the last of its
// playbacks that is not playing, else a new one while there is room, else the one furthest
// along; it comes back stopped at the start with the sample's volume and pan. A channel that
// runs out ends and calls its end syncs, then its sample's; a sync that sets the position
// keeps it playing. Syncs may call back into the library but not free sounds. Every call
// takes one recursive mutex, which the owner also holds while it moves channels on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

#include "platform/AudioLibrary.h"

namespace tvx {

// Positions that callers pass are bytes of 16-bit stereo output, four per frame.
constexpr std::uint64_t kAudioBytesPerFrame = 4;

// What a channel plays, as the rules see it.
class ChannelSource {
 public:
  virtual ~ChannelSource() = default;
  // Builds what playing needs, if the source defers that; called before every play, outside
  // the lock. False when it cannot be built.
  virtual bool Prepare() { return true; }
  // Moves to a frame at the mix rate; false when the source cannot get there.
  virtual bool Seek(std::uint64_t frame) = 0;
};

// A sample's sound, from which every playback gets a source of its own.
class SampleSource {
 public:
  virtual ~SampleSource() = default;
  virtual std::unique_ptr<ChannelSource> NewPlayback() = 0;
};

// What a channel plays: tracker music, a decoded stream, or a playback of a sample.
enum class ChannelKind { kMusic, kStream, kSample };
enum class ChannelState { kStopped, kPlaying, kEnded };

class ChannelRules : public IAudioLibrary {
 public:
  struct Sync {
    std::uint32_t handle;
    SyncProc proc;
    void* user;
  };
  struct Channel {
    std::uint32_t handle = 0;
    ChannelKind kind = ChannelKind::kStream;  // kSample: a playback of `sample`
    std::uint32_t sample = 0;
    std::unique_ptr<ChannelSource> source;
    ChannelState state = ChannelState::kStopped;
    bool ending = false;  // inside its end syncs
    std::uint64_t position = 0;
    int volume = 100;
    int pan = 0;
    bool music = false;
    std::vector<Sync> syncs;
  };
  struct Sample {
    std::uint32_t handle = 0;
    std::unique_ptr<SampleSource> source;
    std::uint32_t maxPlaybacks = 1;
    int volume = 100;
    int pan = 0;
    bool music = false;
    std::vector<Sync> syncs;
    std::vector<std::uint32_t> channels;
  };

  ChannelRules();
  ~ChannelRules() override;
  ChannelRules(const ChannelRules&) = delete;
  ChannelRules& operator=(const ChannelRules&) = delete;

  bool Audio_Stop() final;
  std::uint32_t Audio_MusicLoad(bool memory, const void* file, std::uint64_t offset,
                                std::uint32_t length, std::uint32_t flags,
                                std::uint32_t frequency) final;
  std::uint32_t Audio_StreamCreateFile(bool memory, const void* file, std::uint64_t offset,
                                       std::uint64_t length, std::uint32_t flags) final;
  std::uint32_t Audio_SampleLoad(bool memory, const void* file, std::uint64_t offset,
                                 std::uint32_t length, std::uint32_t maxPlaybacks,
                                 std::uint32_t flags) final;
  bool Audio_MusicFree(std::uint32_t handle) final;
  bool Audio_StreamFree(std::uint32_t handle) final;
  bool Audio_SampleFree(std::uint32_t handle) final;
  std::uint32_t Audio_SampleGetChannel(std::uint32_t sample, bool onlyNew) final;
  bool Audio_SampleStop(std::uint32_t sample) final;
  bool Audio_ChannelPlay(std::uint32_t channel, bool restart) override;
  bool Audio_ChannelStop(std::uint32_t channel) final;
  bool Audio_ChannelSetPosition(std::uint32_t channel, std::uint64_t position) final;
  std::uint32_t Audio_ChannelIsActive(std::uint32_t channel) final;
  bool Audio_ChannelSetAttributes(std::uint32_t channel, int frequency, int volume, int pan) final;
  std::uint32_t Audio_ChannelSetSync(std::uint32_t channel, std::uint32_t type,
                                     std::uint64_t parameter, SyncProc proc, void* user) final;
  bool Audio_ChannelRemoveSync(std::uint32_t channel, std::uint32_t sync) final;

  // Counts a loaded sound (and a sample's playbacks) as music rather than as an effect.
  bool SetMusic(std::uint32_t handle);

  // For the owner moving channels on; it holds Mutex() meanwhile.
  std::recursive_mutex& Mutex() { return mutex_; }
  std::size_t ChannelCount() const { return channels_.size(); }
  Channel& ChannelAt(std::size_t index) { return *channels_[index]; }
  // Ends a channel that ran out and calls its syncs.
  void EndChannel(Channel& channel);

 protected:
  // One argument of a call as the double's log shows it.
  struct CallArgument {
    std::string_view name;
    std::int64_t value;
  };

  // Each opens a sound from the bytes of a load; nullptr (with the error set) when they do
  // not decode. May throw std::bad_alloc.
  virtual std::unique_ptr<ChannelSource> OpenMusic(const std::uint8_t* data, std::size_t size,
                                                   std::uint32_t flags) = 0;
  virtual std::unique_ptr<ChannelSource> OpenStream(const std::uint8_t* data, std::size_t size) = 0;
  virtual std::unique_ptr<SampleSource> OpenSample(const std::uint8_t* data, std::size_t size) = 0;
  virtual void SetError(int code) = 0;
  // Told of every call before it runs.
  virtual void Called(std::string_view /*name*/, std::initializer_list<CallArgument> /*args*/) {}

  // Until set, every call fails with ErrorInit.
  void SetReady() { ready_ = true; }
  bool IsReady() const { return ready_; }
  bool Fail(int code);
  bool Succeed();
  std::uint32_t Refuse(int code);
  // Frees every sound; the owner calls it once nothing mixes any more.
  void FreeEverything();
  Channel* FindChannel(std::uint32_t handle);
  const Channel* FindChannel(std::uint32_t handle) const;
  Sample* FindSample(std::uint32_t handle);
  const Sample* FindSample(std::uint32_t handle) const;
  // Loaded modules, streams and samples.
  std::size_t SoundCount() const;

 private:
  bool Ready();
  template <class Open>
  std::uint32_t Load(bool memory, const void* file, std::uint64_t offset, std::uint64_t length,
                     Open open);
  std::uint32_t AddChannel(ChannelKind kind, std::unique_ptr<ChannelSource> source);
  bool FreeChannel(ChannelKind kind, std::uint32_t handle);
  Channel* ChooseSamplePlayback(Sample& sample, bool onlyNew);
  bool PrepareSource(std::uint32_t handle);
  void StopSampleChannels(Sample& sample);
  std::vector<Sync>* SyncsOf(std::uint32_t handle);
  void CallSyncs(const std::vector<Sync>& syncs, std::uint32_t channel);

  std::recursive_mutex mutex_;
  bool ready_ = false;
  int syncDepth_ = 0;
  std::uint32_t nextHandle_ = 1;
  std::uint32_t nextSync_ = 1;
  std::vector<std::unique_ptr<Channel>> channels_;
  std::vector<std::unique_ptr<Sample>> samples_;
};

}  // namespace tvx
