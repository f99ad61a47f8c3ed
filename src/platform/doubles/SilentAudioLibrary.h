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

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rules/ChannelRules.h"

namespace tvx {

// The channel calls follow the shared channel rules; this class adds the injected failures,
// the virtual lengths and the log.
class SilentAudioLibrary : public ChannelRules {
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
  int Audio_ErrorGetCode() override;
  bool Audio_ChannelPlay(std::uint32_t channel, bool restart) override;

  // Moves every playing channel on by `frames`; one that reaches its length ends, and the end
  // syncs of its sound are called (a sync that rewinds it keeps it playing).
  void Advance(std::uint64_t frames);
  void SetLength(std::uint32_t handle, std::uint64_t frames);

  const std::vector<std::string>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // Off, calls are no longer written to the log (their effects still happen).
  void SetLogging(bool on) { logging_ = on; }
  bool Initialized() const { return IsReady(); }
  std::size_t LoadedCount() const { return SoundCount(); }
  bool IsLoaded(std::uint32_t handle) const;
  // For a stream or module its channel; for a sample its default volume. -1 if unknown.
  int Volume(std::uint32_t handle) const;
  std::uint64_t Position(std::uint32_t channel) const;
  bool Playing(std::uint32_t channel) const;
  std::size_t SyncCount(std::uint32_t handle) const;
  std::vector<std::uint32_t> SampleChannels(std::uint32_t sample) const;

 protected:
  std::unique_ptr<ChannelSource> OpenMusic(const std::uint8_t* data, std::size_t size,
                                           std::uint32_t flags) override;
  std::unique_ptr<ChannelSource> OpenStream(const std::uint8_t* data, std::size_t size) override;
  std::unique_ptr<SampleSource> OpenSample(const std::uint8_t* data, std::size_t size) override;
  void SetError(int code) override { error_ = code; }
  void Called(std::string_view name, std::initializer_list<CallArgument> args) override;

 private:
  // False, with the error set, when loads are to fail or the data is not of the right format.
  bool Accepts(bool rightFormat);
  // The shared length of a sound and its playbacks.
  std::shared_ptr<std::uint64_t> Length(std::uint32_t handle) const;

  int error_ = audio::ErrorOk;
  std::vector<std::string> log_;
  bool logging_ = true;
};

}  // namespace tvx
