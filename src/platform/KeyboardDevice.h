// The keyboard device: 256 key slots addressed by DirectInput key codes (0xC8 up, 0xD0 down,
// 0xCB left, 0xCD right, and the whole main block), a down flag (bit 7) per slot. With the
// foreground cooperative level nothing is read while the window is in the background.
#pragma once

#include <cstdint>

namespace tvx {

namespace input {
constexpr std::int32_t Ok = 0;
constexpr std::int32_t Fail = static_cast<std::int32_t>(0x80004005);
constexpr std::int32_t InputLost = static_cast<std::int32_t>(0x8007001E);
constexpr std::int32_t NotAcquired = static_cast<std::int32_t>(0x8007000C);
constexpr std::uint32_t Foreground = 4;
constexpr std::uint32_t NonExclusive = 2;
constexpr std::uint32_t Background = 8;
constexpr std::uint32_t KeyboardDataSize = 256;
}  // namespace input

class IKeyboardDevice {
 public:
  virtual ~IKeyboardDevice() = default;
  // The input system object shared by all keyboards of the process.
  virtual bool HasInputObject() const = 0;
  virtual std::int32_t CreateInputObject() = 0;
  // The keyboard device itself, configured by the next three calls.
  virtual std::int32_t CreateDevice() = 0;
  virtual std::int32_t SetDataFormat(std::uint32_t dataSize) = 0;
  virtual std::int32_t SetCooperativeLevel(std::uintptr_t window, std::uint32_t flags) = 0;
  virtual std::int32_t Acquire() = 0;
  virtual std::int32_t Unacquire() = 0;
  virtual std::int32_t GetDeviceState(std::uint32_t size, std::uint8_t* state) = 0;
  virtual void ReleaseDevice() = 0;
};

}  // namespace tvx
