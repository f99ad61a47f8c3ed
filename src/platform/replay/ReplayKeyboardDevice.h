// The keyboard device of a replay: each call answers the recorded result, a read fills the
// recorded held keys. Once the replay has stopped, calls succeed and reads find nothing held.
#pragma once

#include "platform/KeyboardDevice.h"
#include "platform/replay/ReplayCursor.h"

namespace tvx::replay {

class ReplayKeyboardDevice : public IKeyboardDevice {
 public:
  explicit ReplayKeyboardDevice(ReplayCursor& cursor) : cursor_(cursor) {}

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
  std::int32_t Answer(KeyboardCall call, const char* asked) const;

  ReplayCursor& cursor_;
};

}  // namespace tvx::replay
