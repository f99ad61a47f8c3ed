#include "platform/audio/ModuleSource.h"

#include <libopenmpt/libopenmpt.h>

namespace tvx::audio_detail {

namespace {

// libopenmpt's own default ramp, or none for a module loaded without the flag.
constexpr int kRampDefault = -1;
constexpr int kRampOff = 0;
// Linear interpolation between sample points: smooth enough, and cheap on a shared machine.
constexpr int kLinearInterpolation = 2;

openmpt_module* CreateModule(const std::uint8_t* data, std::size_t size, bool ramp) {
  int error = 0;
  openmpt_module* module = openmpt_module_create_from_memory2(data, size, openmpt_log_func_silent,
                                                              nullptr, openmpt_error_func_ignore,
                                                              nullptr, &error, nullptr, nullptr);
  if (module == nullptr) return nullptr;
  openmpt_module_set_repeat_count(module, 0);
  openmpt_module_set_render_param(module, OPENMPT_MODULE_RENDER_VOLUMERAMPING_STRENGTH,
                                  ramp ? kRampDefault : kRampOff);
  openmpt_module_set_render_param(module, OPENMPT_MODULE_RENDER_INTERPOLATIONFILTER_LENGTH,
                                  kLinearInterpolation);
  return module;
}

}  // namespace

std::unique_ptr<ModuleSource> ModuleSource::Open(const std::uint8_t* data, std::size_t size,
                                                 bool ramp) {
  // Built in full once, so that a damaged module fails here, at load, as it always has.
  openmpt_module* module = CreateModule(data, size, ramp);
  if (module == nullptr) return nullptr;
  openmpt_module_destroy(module);
  return std::unique_ptr<ModuleSource>(new ModuleSource(data, size, ramp));
}

ModuleSource::~ModuleSource() {
  if (module_ != nullptr) openmpt_module_destroy(module_);
}

bool ModuleSource::Prepare() {
  if (module_ != nullptr) return true;
  openmpt_module* module = CreateModule(data_, size_, ramp_);
  if (module == nullptr) return false;
  if (pendingFrame_ != 0) {
    openmpt_module_set_position_seconds(module, static_cast<double>(pendingFrame_) / kMixRate);
  }
  module_ = module;
  return true;
}

std::size_t ModuleSource::Read(float* stereo, std::size_t frames) {
  if (module_ == nullptr) return 0;
  return openmpt_module_read_interleaved_float_stereo(module_, kMixRate, frames, stereo);
}

bool ModuleSource::Seek(std::uint64_t frame) {
  if (module_ == nullptr) {
    pendingFrame_ = frame;
    return true;
  }
  openmpt_module_set_position_seconds(module_, static_cast<double>(frame) / kMixRate);
  return true;
}

}  // namespace tvx::audio_detail
