// Tracker modules through libopenmpt, rendered at the mix rate block by block. The module is
// played once through (no repeat); the ramp flag softens volume changes to avoid clicks.
//
// A module expands its samples and patterns to about a megabyte or more in libopenmpt, and
// most modules of a game wait unplayed for a long time. So Open only checks that libopenmpt
// accepts the data and keeps nothing of it; the playable module is built by Prepare, before
// the first play, from the same bytes, which the caller keeps valid as long as the source.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/audio/AudioSource.h"

struct openmpt_module;

namespace tvx::audio_detail {

class ModuleSource : public AudioSource {
 public:
  // nullptr when libopenmpt does not recognise the data.
  static std::unique_ptr<ModuleSource> Open(const std::uint8_t* data, std::size_t size, bool ramp);
  ~ModuleSource() override;

  bool Prepare() override;
  // No frames before Prepare (the channel rules prepare a source before it plays).
  std::size_t Read(float* stereo, std::size_t frames) override;
  // Before Prepare the frame is kept and taken up when the module is built.
  bool Seek(std::uint64_t frame) override;

 private:
  ModuleSource(const std::uint8_t* data, std::size_t size, bool ramp)
      : data_(data), size_(size), ramp_(ramp) {}

  const std::uint8_t* data_;
  std::size_t size_;
  bool ramp_;
  openmpt_module* module_ = nullptr;
  std::uint64_t pendingFrame_ = 0;
};

}  // namespace tvx::audio_detail
