#include "platform/replay/RecordingKeyboardDevice.h"

namespace tvx::replay {

bool RecordingKeyboardDevice::HasInputObject() const {
  return Recorded(KeyboardCall::HasInputObject, inner_.HasInputObject() ? 1 : 0) != 0;
}

std::int32_t RecordingKeyboardDevice::CreateInputObject() {
  return Recorded(KeyboardCall::CreateInputObject, inner_.CreateInputObject());
}

std::int32_t RecordingKeyboardDevice::CreateDevice() {
  return Recorded(KeyboardCall::CreateDevice, inner_.CreateDevice());
}

std::int32_t RecordingKeyboardDevice::SetDataFormat(std::uint32_t dataSize) {
  return Recorded(KeyboardCall::SetDataFormat, inner_.SetDataFormat(dataSize));
}

std::int32_t RecordingKeyboardDevice::SetCooperativeLevel(std::uintptr_t window,
                                                          std::uint32_t flags) {
  return Recorded(KeyboardCall::SetCooperativeLevel, inner_.SetCooperativeLevel(window, flags));
}

std::int32_t RecordingKeyboardDevice::Acquire() {
  return Recorded(KeyboardCall::Acquire, inner_.Acquire());
}

std::int32_t RecordingKeyboardDevice::Unacquire() {
  return Recorded(KeyboardCall::Unacquire, inner_.Unacquire());
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
  Recorded(KeyboardCall::ReleaseDevice, input::Ok);
}

std::int32_t RecordingKeyboardDevice::Recorded(KeyboardCall call, std::int32_t result) const {
  writer_.Write(MakeEntry(Kind::Input, static_cast<std::int64_t>(call), result));
  return result;
}

}  // namespace tvx::replay
