// The keyboard device's life cycle, shared by the SDL device and its test double: an input
// object, then a device that needs a 256-byte data format and a cooperative level before it
// can be acquired, and a read that needs an acquired device. With the foreground level the
// device cannot be acquired while the window lacks the focus, and losing the focus while
// acquired unacquires it: the next read reports the input lost, later ones not acquired.
#pragma once

#include <cstdint>

#include "platform/KeyboardDevice.h"

namespace tvx {

class KeyboardAcquisition {
 public:
  bool HasInputObject() const { return inputObject_; }
  std::int32_t CreateInputObject(bool inputSystemReady);
  std::int32_t CreateDevice();
  std::int32_t SetDataFormat(std::uint32_t dataSize);
  std::int32_t SetCooperativeLevel(std::uintptr_t window, std::uint32_t flags, bool windowExists);
  std::int32_t Acquire(bool windowFocused);
  std::int32_t Unacquire();
  // input::Ok when the caller may fill `state` with the current keys now.
  std::int32_t BeginRead(std::uint32_t size, const std::uint8_t* state, bool windowFocused);
  void ReleaseDevice();

  bool DeviceExists() const { return device_; }
  bool Acquired() const { return acquired_; }
  bool Foreground() const { return (flags_ & input::Foreground) != 0; }
  std::uintptr_t Window() const { return window_; }

 private:
  bool Configured() const { return device_ && formatSet_ && levelSet_; }

  bool inputObject_ = false;
  bool device_ = false;
  bool formatSet_ = false;
  bool levelSet_ = false;
  bool acquired_ = false;
  std::uintptr_t window_ = 0;
  std::uint32_t flags_ = 0;
};

}  // namespace tvx
