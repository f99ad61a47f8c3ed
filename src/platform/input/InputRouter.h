// InputRouter: everything the player can press beside the original keys, turned into the keys
// and keyboard slots the game already reads, so the game's rules never see a new input.
//  - Extra keys (the settings name them): a steering key fills its direction's slot in the
//    keyboard state; a key bound to ENTER, ESC or CTRL arrives as that key's key-down. While the
//    ranking screen takes a name, letters and space type themselves whatever they are bound to.
//  - Pads, as their buttons are bound (the settings' defaults: A and Start are ENTER, B and Back
//    ESC, X and Y CTRL, the d-pad steers; the left stick counts as the d-pad): held steering
//    buttons fill the steering slots. While a name is taken, pads enter it arcade style: up
//    and down turn the letter at the cursor (A-Z, then space, round), right or A types it,
//    the rest act as bound.
//  - F10 toggles mute (a key the game does not use); it never reaches the game.
//  - A taker (the options screen) may take presses before any of this; they then reach
//    nothing else.
// No SDL: the SDL application feeds it virtual keys, keyboard slots and pad buttons.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/input/BoundKeys.h"
#include "platform/input/PadButton.h"

namespace tvx {

// Takes presses before the game sees them, while it is shown.
class InputTaker {
 public:
  virtual ~InputTaker() = default;
  // True when the press is taken: it then reaches nothing else.
  virtual bool TakeKey(std::uint8_t slot, std::uint16_t virtualKey, bool repeat) = 0;
  virtual bool TakePad(PadButton button) = 0;
};

class InputRouter {
 public:
  static constexpr std::uint16_t kMuteKey = 121;  // F10

  void SetBoundKeys(BoundKeys keys) { bound_ = std::move(keys); }
  void SetPadBindings(const PadBindings& pads) { pads_ = pads; }
  // Asked whether the game takes the letters of a name right now.
  void SetNameEntryQuery(std::function<bool()> query) { waitsForName_ = std::move(query); }
  void SetOnToggleMute(std::function<void()> handler) { onToggleMute_ = std::move(handler); }
  // Null for none; the taker must outlive its use.
  void SetTaker(InputTaker* taker) { taker_ = taker; }

  // A keyboard key-down (`slot` its DirectInput slot, 0 for none): the virtual key the game
  // gets, 0 for none.
  std::uint16_t KeyDown(std::uint16_t virtualKey, std::uint8_t slot, bool repeat);
  // A pad button or direction pressed: the virtual key the game gets, 0 for none.
  std::uint16_t PadDown(PadButton button);
  // Adds to a 256-slot keyboard state the steering held by bound keys and by the pad buttons
  // held now (`heldButtons`, one bit per PadButton).
  void AddHeldSlots(std::uint8_t* state, std::uint32_t heldButtons) const;
  // The letter at the pad's name cursor: 'A'-'Z' or ' '.
  char CandidateLetter() const;

 private:
  bool WaitsForName() const { return waitsForName_ && waitsForName_(); }

  BoundKeys bound_;
  PadBindings pads_{};  // none until set
  std::function<bool()> waitsForName_;
  std::function<void()> onToggleMute_;
  InputTaker* taker_ = nullptr;
  int candidate_ = 0;  // 0-25 letters, 26 space
};

}  // namespace tvx
