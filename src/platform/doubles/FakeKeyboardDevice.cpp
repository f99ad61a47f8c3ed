#include "platform/doubles/FakeKeyboardDevice.h"

#include <algorithm>
#include <cstddef>

namespace tvx {

std::int32_t FakeKeyboardDevice::CreateInputObject() {
  std::int32_t result;
  if (!Injected(Call::CreateInputObject, result)) result = rules_.CreateInputObject(true);
  return Recorded(Call::CreateInputObject, result);
}

std::int32_t FakeKeyboardDevice::CreateDevice() {
  std::int32_t result;
  if (!Injected(Call::CreateDevice, result)) result = rules_.CreateDevice();
  return Recorded(Call::CreateDevice, result);
}

std::int32_t FakeKeyboardDevice::SetDataFormat(std::uint32_t dataSize) {
  std::int32_t result;
  if (!Injected(Call::SetDataFormat, result)) result = rules_.SetDataFormat(dataSize);
  return Recorded(Call::SetDataFormat, result);
}

std::int32_t FakeKeyboardDevice::SetCooperativeLevel(std::uintptr_t window, std::uint32_t flags) {
  std::int32_t result;
  if (!Injected(Call::SetCooperativeLevel, result)) {
    result = rules_.SetCooperativeLevel(window, flags, windowExists_ && window != 0);
  }
  return Recorded(Call::SetCooperativeLevel, result);
}

std::int32_t FakeKeyboardDevice::Acquire() {
  std::int32_t result;
  if (!Injected(Call::Acquire, result)) result = rules_.Acquire(focused_);
  return Recorded(Call::Acquire, result);
}

std::int32_t FakeKeyboardDevice::Unacquire() {
  std::int32_t result;
  if (!Injected(Call::Unacquire, result)) result = rules_.Unacquire();
  return Recorded(Call::Unacquire, result);
}

std::int32_t FakeKeyboardDevice::GetDeviceState(std::uint32_t size, std::uint8_t* state) {
  std::int32_t result;
  if (!Injected(Call::GetDeviceState, result)) {
    result = rules_.BeginRead(size, state, focused_);
    if (result == input::Ok) {
      for (std::size_t code = 0; code < held_.size(); ++code) state[code] = held_[code] ? 0x80 : 0;
    }
  }
  return Recorded(Call::GetDeviceState, result);
}

void FakeKeyboardDevice::ReleaseDevice() {
  rules_.ReleaseDevice();
  Recorded(Call::ReleaseDevice, input::Ok);
}

void FakeKeyboardDevice::FailCall(Call call, std::int32_t result, int times) {
  failures_[static_cast<std::size_t>(call)] = {result, times};
}

void FakeKeyboardDevice::ClearFailures() { failures_.fill({}); }

int FakeKeyboardDevice::CallCount(Call call) const {
  return static_cast<int>(std::count_if(
      calls_.begin(), calls_.end(), [call](const Record& record) { return record.call == call; }));
}

bool FakeKeyboardDevice::Injected(Call call, std::int32_t& result) {
  Failure& failure = failures_[static_cast<std::size_t>(call)];
  if (failure.remaining == 0) return false;
  if (failure.remaining > 0) --failure.remaining;
  result = failure.result;
  return true;
}

std::int32_t FakeKeyboardDevice::Recorded(Call call, std::int32_t result) {
  calls_.push_back({call, result});
  return result;
}

}  // namespace tvx
