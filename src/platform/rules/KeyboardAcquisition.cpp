#include "platform/rules/KeyboardAcquisition.h"

namespace tvx {

std::int32_t KeyboardAcquisition::CreateInputObject(bool inputSystemReady) {
  if (!inputSystemReady) return input::Fail;
  inputObject_ = true;
  return input::Ok;
}

std::int32_t KeyboardAcquisition::CreateDevice() {
  if (!inputObject_) return input::Fail;
  *this = KeyboardAcquisition{};
  inputObject_ = true;
  device_ = true;
  return input::Ok;
}

std::int32_t KeyboardAcquisition::SetDataFormat(std::uint32_t dataSize) {
  if (!device_ || acquired_ || dataSize != input::KeyboardDataSize) return input::Fail;
  formatSet_ = true;
  return input::Ok;
}

std::int32_t KeyboardAcquisition::SetCooperativeLevel(std::uintptr_t window, std::uint32_t flags,
                                                      bool windowExists) {
  const bool foreground = flags == (input::Foreground | input::NonExclusive);
  const bool background = flags == (input::Background | input::NonExclusive);
  if (!device_ || acquired_ || !windowExists || !(foreground || background)) return input::Fail;
  window_ = window;
  flags_ = flags;
  levelSet_ = true;
  return input::Ok;
}

std::int32_t KeyboardAcquisition::Acquire(bool windowFocused) {
  if (!Configured()) return input::Fail;
  if (Foreground() && !windowFocused) return input::Fail;
  acquired_ = true;
  return input::Ok;
}

std::int32_t KeyboardAcquisition::Unacquire() {
  if (!device_) return input::Fail;
  acquired_ = false;
  return input::Ok;
}

std::int32_t KeyboardAcquisition::BeginRead(std::uint32_t size, const std::uint8_t* state,
                                            bool windowFocused) {
  if (!device_ || !formatSet_ || size != input::KeyboardDataSize || state == nullptr) {
    return input::Fail;
  }
  if (!acquired_) return input::NotAcquired;
  if (Foreground() && !windowFocused) {
    acquired_ = false;
    return input::InputLost;
  }
  return input::Ok;
}

void KeyboardAcquisition::ReleaseDevice() {
  const bool inputObject = inputObject_;
  *this = KeyboardAcquisition{};
  inputObject_ = inputObject;
}

}  // namespace tvx
