#include "timing/PxKeyboard.h"

namespace tvx {

TPxKeyboard::TPxKeyboard(TComponent* owner, IKeyboardDevice& device)
    : TComponent(owner), device_(device) {
  if (dynamic_cast<TForm*>(owner) == nullptr)
    throw EKeyboardError("TPxKeyboard: This component must be dropped onto the form!");
}

TPxKeyboard::~TPxKeyboard() {
  if (initialized_) Finalize();
}

void TPxKeyboard::SetForeground(bool value) {
  if (!initialized_) foreground_ = value;
}

bool TPxKeyboard::Initialize() {
  if (initialized_) return false;
  if (!device_.HasInputObject() && device_.CreateInputObject() != input::Ok) return false;
  if (device_.CreateDevice() != input::Ok) return false;
  deviceCreated_ = true;
  const std::uintptr_t window = static_cast<const TForm*>(Owner())->WindowHandle();
  const std::uint32_t level =
      input::NonExclusive | (foreground_ ? input::Foreground : input::Background);
  if (device_.SetDataFormat(input::KeyboardDataSize) != input::Ok ||
      device_.SetCooperativeLevel(window, level) != input::Ok) {
    device_.ReleaseDevice();
    deviceCreated_ = false;
    return false;
  }
  keyState_.fill(0);
  initialized_ = true;
  return true;
}

void TPxKeyboard::Finalize() {
  if (deviceCreated_) {
    device_.Unacquire();
    device_.ReleaseDevice();
    deviceCreated_ = false;
  }
  initialized_ = false;
}

std::int32_t TPxKeyboard::ReadState() {
  return device_.GetDeviceState(input::KeyboardDataSize, keyState_.data());
}

bool TPxKeyboard::Update() {
  if (!initialized_ && !Initialize()) return false;
  const std::int32_t result = ReadState();
  if (result == input::Ok) return true;
  if (result != input::InputLost && result != input::NotAcquired) return false;
  if (device_.Acquire() != input::Ok) return false;
  return ReadState() == input::Ok;
}

}  // namespace tvx
