#include "platform/replay/ReplayKeyboardDevice.h"

#include <algorithm>
#include <string>

namespace tvx::replay {

bool ReplayKeyboardDevice::HasInputObject() const {
  return Answer(KeyboardCall::HasInputObject, "whether the input object exists") != 0;
}

std::int32_t ReplayKeyboardDevice::CreateInputObject() {
  return Answer(KeyboardCall::CreateInputObject, "the input object");
}

std::int32_t ReplayKeyboardDevice::CreateDevice() {
  return Answer(KeyboardCall::CreateDevice, "the keyboard device");
}

std::int32_t ReplayKeyboardDevice::SetDataFormat(std::uint32_t) {
  return Answer(KeyboardCall::SetDataFormat, "the keyboard data format");
}

std::int32_t ReplayKeyboardDevice::SetCooperativeLevel(std::uintptr_t, std::uint32_t) {
  return Answer(KeyboardCall::SetCooperativeLevel, "the keyboard cooperative level");
}

std::int32_t ReplayKeyboardDevice::Acquire() {
  return Answer(KeyboardCall::Acquire, "the keyboard acquired");
}

std::int32_t ReplayKeyboardDevice::Unacquire() {
  return Answer(KeyboardCall::Unacquire, "the keyboard unacquired");
}

std::int32_t ReplayKeyboardDevice::GetDeviceState(std::uint32_t size, std::uint8_t* state) {
  const Entry* entry = cursor_.Answer(Kind::Keys, "the keyboard state");
  const std::uint32_t slots = std::min<std::uint32_t>(size, 256);
  if (entry == nullptr) {
    std::fill(state, state + slots, std::uint8_t{0});
    return input::Ok;
  }
  const auto result = static_cast<std::int32_t>(entry->a);
  if (result == input::Ok) {
    for (std::uint32_t code = 0; code < slots; ++code)
      state[code] = entry->keys.test(code) ? 0x80 : 0;
  }
  return result;
}

void ReplayKeyboardDevice::ReleaseDevice() {
  Answer(KeyboardCall::ReleaseDevice, "the keyboard released");
}

std::int32_t ReplayKeyboardDevice::Answer(KeyboardCall call, const char* asked) const {
  const Entry* entry = cursor_.Answer(Kind::Input, asked);
  if (entry == nullptr) return input::Ok;
  if (entry->a != static_cast<std::int64_t>(call)) {
    cursor_.Diverge(std::string("the program asked for ") + asked +
                    ", but the recording holds another keyboard call");
    return input::Ok;
  }
  return static_cast<std::int32_t>(entry->b);
}

}  // namespace tvx::replay
