// The keyboard device: 256 key slots addressed by DirectInput key codes (the arrows in dik::
// below, and the whole main block), a down flag (bit 7) per slot. With the
// foreground cooperative level nothing is read while the window is in the background.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tvx {

// DirectInput codes of the arrow keys, the slots the game steers by.
namespace dik {
constexpr std::uint8_t Up = 0xC8;
constexpr std::uint8_t Down = 0xD0;
constexpr std::uint8_t Left = 0xCB;
constexpr std::uint8_t Right = 0xCD;
}  // namespace dik

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

// The device's calls, as the doubles answer, record and replay them.
enum class KeyboardCall : std::uint8_t {
  HasInputObject,
  CreateInputObject,
  CreateDevice,
  SetDataFormat,
  SetCooperativeLevel,
  Acquire,
  Unacquire,
  ReleaseDevice,
  GetDeviceState,
};
constexpr std::size_t kKeyboardCalls = 9;

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
