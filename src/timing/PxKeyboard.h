// TPxKeyboard reads the whole keyboard as 256 key slots (DirectInput key codes) so that the
// game logic can ask once per logic tick whether a key is held. The device is created on the
// first Update (or Initialize) and acquired on the first read that finds it unacquired; with
// Foreground set the platform withholds the keyboard while the window is in the background,
// and Update answers false until the window is in front again. KeyState keeps what the last
// successful read left in it.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>

#include "core/Component.h"
#include "platform/KeyboardDevice.h"

namespace tvx {

// Raised only for misuse: a keyboard that is not owned by a form.
class EKeyboardError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TPxKeyboard : public TComponent {
 public:
  TPxKeyboard(TComponent* owner, IKeyboardDevice& device);
  ~TPxKeyboard() override;

  bool Foreground() const { return foreground_; }
  // Takes effect only while not initialised.
  void SetForeground(bool value);
  bool Initialized() const { return initialized_; }

  bool Initialize();
  void Finalize();
  bool Update();
  // Whether the key was down at the last successful Update.
  bool KeyPressed(std::uint8_t keyCode) const { return (keyState_[keyCode] & 0x80) != 0; }

 private:
  std::int32_t ReadState();

  IKeyboardDevice& device_;
  bool foreground_ = true;
  bool initialized_ = false;
  bool deviceCreated_ = false;
  std::array<std::uint8_t, input::KeyboardDataSize> keyState_{};
};

}  // namespace tvx
