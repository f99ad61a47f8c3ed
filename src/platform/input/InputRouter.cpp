#include "platform/input/InputRouter.h"

#include "platform/Application.h"
#include "platform/KeyboardDevice.h"

namespace tvx {

namespace {

constexpr int kCandidates = 27;  // A-Z and space
constexpr std::array<std::uint8_t, 4> kSteeringSlots{dik::Up, dik::Down, dik::Left, dik::Right};
constexpr std::array<std::uint16_t, 3> kCommandKeys{vk::Return, vk::Escape, vk::Control};
constexpr auto kFirstCommand = static_cast<std::size_t>(BoundInput::Enter);
constexpr std::uint8_t kDown = 0x80;

bool IsNameKey(std::uint16_t key) { return (key >= vk::A && key <= vk::Z) || key == vk::Space; }

}  // namespace

std::uint16_t InputRouter::KeyDown(std::uint16_t virtualKey, std::uint8_t slot, bool repeat) {
  if (virtualKey == kMuteKey) {
    if (!repeat && onToggleMute_) onToggleMute_();
    return 0;
  }
  if (taker_ != nullptr && taker_->TakeKey(slot, virtualKey, repeat)) return 0;
  if (IsNameKey(virtualKey) && WaitsForName()) return virtualKey;
  for (std::size_t command = 0; command < kCommandKeys.size(); ++command) {
    for (const KeyCodes& key : bound_[kFirstCommand + command]) {
      if (key.virtualKey == virtualKey) return kCommandKeys[command];
    }
  }
  return virtualKey;
}

std::uint16_t InputRouter::PadDown(PadButton button) {
  if (taker_ != nullptr && taker_->TakePad(button)) return 0;
  if (WaitsForName()) {
    switch (button) {
      case PadButton::Up:
        candidate_ = (candidate_ + 1) % kCandidates;
        return 0;
      case PadButton::Down:
        candidate_ = (candidate_ + kCandidates - 1) % kCandidates;
        return 0;
      case PadButton::Right:
      case PadButton::A:
        return CandidateLetter() == ' ' ? vk::Space : static_cast<std::uint16_t>(CandidateLetter());
      default:
        break;
    }
  }
  for (std::size_t command = 0; command < kCommandKeys.size(); ++command) {
    if ((pads_[kFirstCommand + command] & PadBit(button)) != 0) return kCommandKeys[command];
  }
  return 0;  // steering buttons steer through the keyboard slots
}

void InputRouter::AddHeldSlots(std::uint8_t* state, std::uint32_t heldButtons) const {
  for (std::size_t direction = 0; direction < kSteeringSlots.size(); ++direction) {
    bool held = (pads_[direction] & heldButtons) != 0;
    for (const KeyCodes& key : bound_[direction]) held = held || (state[key.slot] & kDown) != 0;
    if (held) state[kSteeringSlots[direction]] = kDown;
  }
}

char InputRouter::CandidateLetter() const {
  return candidate_ < 26 ? static_cast<char>('A' + candidate_) : ' ';
}

}  // namespace tvx
