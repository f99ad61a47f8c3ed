// The keyboard device for tests: the same life cycle as the SDL device (input object, device,
// data format, cooperative level, acquire, read), with held keys and the window's focus set
// by the test. Any call can be made to return a chosen result, once or always, and every
// call is recorded with its result.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/KeyboardDevice.h"
#include "platform/rules/KeyboardAcquisition.h"

namespace tvx {

class FakeKeyboardDevice : public IKeyboardDevice {
 public:
  using Call = KeyboardCall;
  struct Record {
    Call call;
    std::int32_t result;
  };
  static constexpr int kAlways = -1;

  bool HasInputObject() const override { return rules_.HasInputObject(); }
  std::int32_t CreateInputObject() override;
  std::int32_t CreateDevice() override;
  std::int32_t SetDataFormat(std::uint32_t dataSize) override;
  std::int32_t SetCooperativeLevel(std::uintptr_t window, std::uint32_t flags) override;
  std::int32_t Acquire() override;
  std::int32_t Unacquire() override;
  std::int32_t GetDeviceState(std::uint32_t size, std::uint8_t* state) override;
  void ReleaseDevice() override;

  // Held keys by DirectInput key code.
  void SetKeyDown(std::uint8_t keyCode, bool down) { held_[keyCode] = down; }
  void ReleaseAllKeys() { held_.fill(false); }
  // Losing the focus while acquired under the foreground level loses the input.
  void SetFocused(bool focused) { focused_ = focused; }
  bool Focused() const { return focused_; }
  // Whether a non-zero window handle names an existing window (it does by default).
  void SetWindowExists(bool exists) { windowExists_ = exists; }

  // The next `times` calls of `call` (kAlways: every one until ClearFailures) return `result`
  // without doing anything.
  void FailCall(Call call, std::int32_t result, int times = kAlways);
  void ClearFailures();

  const std::vector<Record>& Calls() const { return calls_; }
  int CallCount(Call call) const;
  void ClearCalls() { calls_.clear(); }

  bool DeviceExists() const { return rules_.DeviceExists(); }
  bool Acquired() const { return rules_.Acquired(); }
  bool Foreground() const { return rules_.Foreground(); }
  std::uintptr_t CooperativeWindow() const { return rules_.Window(); }

 private:
  struct Failure {
    std::int32_t result = input::Ok;
    int remaining = 0;
  };

  // True when an injected failure answers this call; `result` then holds it.
  bool Injected(Call call, std::int32_t& result);
  std::int32_t Recorded(Call call, std::int32_t result);

  KeyboardAcquisition rules_;
  std::array<bool, 256> held_{};
  bool focused_ = true;
  bool windowExists_ = true;
  std::array<Failure, kKeyboardCalls> failures_{};
  std::vector<Record> calls_;
};

}  // namespace tvx
