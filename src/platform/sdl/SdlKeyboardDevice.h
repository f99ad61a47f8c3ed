// The keyboard device on SDL: the 256 DirectInput key slots are filled from SDL's keyboard
// state (kept current by the message loop's event pump), each held key's slot set to 0x80.
// The window handle given with the cooperative level is the SDL window id; with the
// foreground level the device reads only while that window has the keyboard focus. Extra
// slots (bound keys, pads) are added by a filler given by the program.
#pragma once

#include <functional>

#include "platform/KeyboardDevice.h"
#include "platform/rules/KeyboardAcquisition.h"

namespace tvx {

class SdlKeyboardDevice : public IKeyboardDevice {
 public:
  bool HasInputObject() const override { return rules_.HasInputObject(); }
  // Fails unless SDL video runs, as only then is there a keyboard state.
  std::int32_t CreateInputObject() override;
  std::int32_t CreateDevice() override { return rules_.CreateDevice(); }
  std::int32_t SetDataFormat(std::uint32_t dataSize) override {
    return rules_.SetDataFormat(dataSize);
  }
  std::int32_t SetCooperativeLevel(std::uintptr_t window, std::uint32_t flags) override;
  std::int32_t Acquire() override { return rules_.Acquire(WindowFocused()); }
  std::int32_t Unacquire() override { return rules_.Unacquire(); }
  std::int32_t GetDeviceState(std::uint32_t size, std::uint8_t* state) override;
  void ReleaseDevice() override { rules_.ReleaseDevice(); }

  // Called on each read with the filled state, to add slots held by other inputs.
  void SetExtraSlots(std::function<void(std::uint8_t* state)> filler) {
    extraSlots_ = std::move(filler);
  }

 private:
  bool WindowFocused() const;

  KeyboardAcquisition rules_;
  std::function<void(std::uint8_t* state)> extraSlots_;
};

}  // namespace tvx
