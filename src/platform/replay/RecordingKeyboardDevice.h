// A keyboard device that passes every call to the real one and writes its result to a
// replay; a read also writes the keys it found held.
#pragma once

#include "platform/KeyboardDevice.h"
#include "platform/replay/ReplayWriter.h"

namespace tvx::replay {

class RecordingKeyboardDevice : public IKeyboardDevice {
 public:
  RecordingKeyboardDevice(IKeyboardDevice& inner, ReplayWriter& writer)
      : inner_(inner), writer_(writer) {}

  bool HasInputObject() const override;
  std::int32_t CreateInputObject() override;
  std::int32_t CreateDevice() override;
  std::int32_t SetDataFormat(std::uint32_t dataSize) override;
  std::int32_t SetCooperativeLevel(std::uintptr_t window, std::uint32_t flags) override;
  std::int32_t Acquire() override;
  std::int32_t Unacquire() override;
  std::int32_t GetDeviceState(std::uint32_t size, std::uint8_t* state) override;
  void ReleaseDevice() override;

 private:
  std::int32_t Recorded(KeyboardCall call, std::int32_t result) const;

  IKeyboardDevice& inner_;
  ReplayWriter& writer_;
};

}  // namespace tvx::replay
