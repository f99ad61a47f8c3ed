// InputRouter: everything the player can press beside the original keys, turned into the keys
// and keyboard slots the game already reads, so the game's rules never see a new input.
//  - Extra keys (the settings name them): a steering key fills its direction's slot in the keyboard
//    state; a key bound to ENTER, ESC or CTRL arrives as that key's key-down. While the
//    ranking screen takes a name, letters and space type themselves whatever they are bound to.
//  - Pads: A and Start are ENTER, B and Back ESC, X and Y CTRL; held directions fill the
//    steering slots. While a name is taken, pads enter it arcade style: up and down turn the
//    letter at the cursor (A-Z, then space, round), right or A types it, Start is ENTER.
//  - F10 toggles mute (a key the game does not use); it never reaches the game.
// No SDL: the SDL application feeds it virtual keys and pad buttons.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/input/BoundKeys.h"
#include "platform/input/PadButton.h"

namespace tvx {

class InputRouter {
 public:
  static constexpr std::uint16_t kMuteKey = 121;  // F10

  void SetBoundKeys(BoundKeys keys) { bound_ = std::move(keys); }
  // Asked whether the game takes the letters of a name right now.
  void SetNameEntryQuery(std::function<bool()> query) { waitsForName_ = std::move(query); }
  void SetOnToggleMute(std::function<void()> handler) { onToggleMute_ = std::move(handler); }

  // A keyboard key-down: the virtual key the game gets, 0 for none.
  std::uint16_t KeyDown(std::uint16_t virtualKey, bool repeat);
  // A pad button or direction pressed: the virtual key the game gets, 0 for none.
  std::uint16_t PadDown(PadButton button);
  // Adds to a 256-slot keyboard state the steering held by bound keys and by pads.
  void AddHeldSlots(std::uint8_t* state, const PadDirections& pads) const;
  // The letter at the pad's name cursor: 'A'-'Z' or ' '.
  char CandidateLetter() const;

 private:
  bool WaitsForName() const { return waitsForName_ && waitsForName_(); }

  BoundKeys bound_;
  std::function<bool()> waitsForName_;
  std::function<void()> onToggleMute_;
  int candidate_ = 0;  // 0-25 letters, 26 space
};

}  // namespace tvx
