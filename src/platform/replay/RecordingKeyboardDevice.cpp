#include "platform/replay/RecordingKeyboardDevice.h"

namespace tvx::replay {

bool RecordingKeyboardDevice::HasInputObject() const {
  return Recorded(InputCall::HasInputObject, inner_.HasInputObject() ? 1 : 0) != 0;
}

std::int32_t RecordingKeyboardDevice::CreateInputObject() {
  return Recorded(InputCall::CreateInputObject, inner_.CreateInputObject());
}

std::int32_t RecordingKeyboardDevice::CreateDevice() {
  return Recorded(InputCall::CreateDevice, inner_.CreateDevice());
}

std::int32_t RecordingKeyboardDevice::SetDataFormat(std::uint32_t dataSize) {
  return Recorded(InputCall::SetDataFormat, inner_.SetDataFormat(dataSize));
}

std::int32_t RecordingKeyboardDevice::SetCooperativeLevel(std::uintptr_t window,
                                                          std::uint32_t flags) {
  return Recorded(InputCall::SetCooperativeLevel, inner_.SetCooperativeLevel(window, flags));
}

std::int32_t RecordingKeyboardDevice::Acquire() {
  return Recorded(InputCall::Acquire, inner_.Acquire());
}

std::int32_t RecordingKeyboardDevice::Unacquire() {
  return Recorded(InputCall::Unacquire, inner_.Unacquire());
}

std::int32_t RecordingKeyboardDevice::GetDeviceState(std::uint32_t size, std::uint8_t* state) {
  const std::int32_t result = inner_.GetDeviceState(size, state);
  Entry entry = MakeEntry(Kind::Keys, result);
  if (result == input::Ok) {
    for (std::uint32_t code = 0; code < size && code < entry.keys.size(); ++code) {
      entry.keys.set(code, (state[code] & 0x80) != 0);
    }
  }
  writer_.Write(entry);
  return result;
}

void RecordingKeyboardDevice::ReleaseDevice() {
  inner_.ReleaseDevice();
  Recorded(InputCall::ReleaseDevice, input::Ok);
}

std::int32_t RecordingKeyboardDevice::Recorded(InputCall call, std::int32_t result) const {
  writer_.Write(MakeEntry(Kind::Input, static_cast<std::int64_t>(call), result));
  return result;
}

}  // namespace tvx::replay
