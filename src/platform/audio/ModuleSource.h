// Tracker modules through libopenmpt, rendered at the mix rate block by block. The module is
// played once through (no repeat); the ramp flag softens volume changes to avoid clicks.
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

  std::size_t Read(float* stereo, std::size_t frames) override;
  bool Seek(std::uint64_t frame) override;

 private:
  explicit ModuleSource(openmpt_module* module) : module_(module) {}

  openmpt_module* module_;
};

}  // namespace tvx::audio_detail
