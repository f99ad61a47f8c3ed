// SilentAudioLibrary: the audio library for tests and whole-game runs without output.
//
// It never decodes: a load succeeds for non-empty data whose header the real decoders would
// recognise (RIFF/WAVE for samples; OggS, ID3 or an MP3 frame sync for streams; the usual
// module signatures for music) and fails otherwise. It keeps what the game can observe:
// playing state, volumes, positions, end syncs, and a log of every call in readable entries
// ("ChannelPlay handle=3 restart=0") that tests assert on. Time does not pass by itself: a
// sound given a virtual length (in frames) ends when the test advances past it, and its end
// syncs are then called on the test's thread. Only memory loads are offered, as in the real
// library. Init, the version and loads can be made to fail.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/AudioLibrary.h"

namespace tvx {

class SilentAudioLibrary : public IAudioLibrary {
 public:
  // Failure injection.
  bool failInit = false;
  std::uint32_t version = audio::Version;
  bool failLoads = false;  // every load fails with loadErrorCode
  int loadErrorCode = audio::ErrorFileFormat;
  bool failPlay = false;  // every ChannelPlay fails with ErrorNoPlay
  // Virtual length in frames of every sound loaded from now on; 0 plays until stopped.
  std::uint64_t defaultLength = 0;

  std::uint32_t Audio_GetVersion() override;
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

  // Moves every playing channel on by `frames`; one that reaches its length ends, and the end
  // syncs of its sound are called (a sync that rewinds it keeps it playing).
  void Advance(std::uint64_t frames);
  void SetLength(std::uint32_t handle, std::uint64_t frames);

  const std::vector<std::string>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // Off, calls are no longer written to the log (their effects still happen).
  void SetLogging(bool on) { logging_ = on; }
  bool Initialized() const { return initialized_; }
  std::size_t LoadedCount() const { return sounds_.size(); }
  bool IsLoaded(std::uint32_t handle) const { return sounds_.count(handle) != 0; }
  // For a stream or module its channel; for a sample its default volume. -1 if unknown.
  int Volume(std::uint32_t handle) const;
  std::uint64_t Position(std::uint32_t channel) const;
  bool Playing(std::uint32_t channel) const;
  std::size_t SyncCount(std::uint32_t handle) const;
  std::vector<std::uint32_t> SampleChannels(std::uint32_t sample) const;

 private:
  enum class Kind { kMusic, kStream, kSample };
  enum class State { kStopped, kPlaying, kEnded };
  struct Sync {
    std::uint32_t handle;
    SyncProc proc;
    void* user;
  };
  struct Channel {
    std::uint32_t sound = 0;
    State state = State::kStopped;
    bool ending = false;  // inside its end syncs
    std::uint64_t position = 0;
    int volume = 100;
  };
  struct Sound {
    Kind kind;
    std::uint64_t length = 0;
    int volume = 100;
    std::uint32_t maxPlaybacks = 1;
    std::vector<Sync> syncs;
    std::vector<std::uint32_t> channels;  // a sample's playbacks; a stream's is its own handle
  };

  std::uint32_t Load(Kind kind, bool memory, const void* file, std::uint64_t offset,
                     std::uint64_t length, std::uint32_t maxPlaybacks);
  bool Free(Kind kind, std::uint32_t handle);
  Sound* FindSound(std::uint32_t handle);
  Channel* FindChannel(std::uint32_t handle);
  void EndChannel(std::uint32_t handle);
  void StopSample(Sound& sample);
  bool Fail(int code);
  bool Succeed();
  // The entry is built only while logging, so that long runs need not pay for it.
  template <class Describe>
  void Record(Describe&& describe) {
    if (logging_) log_.push_back(describe());
  }

  bool initialized_ = false;
  int error_ = audio::ErrorOk;
  std::uint32_t nextHandle_ = 1;
  std::uint32_t nextSync_ = 1;
  std::map<std::uint32_t, Sound> sounds_;
  std::map<std::uint32_t, Channel> channels_;
  std::vector<std::string> log_;
  bool logging_ = true;
};

}  // namespace tvx
