#include "settings/KeyNames.h"

#include <array>
#include <cctype>

#include "platform/KeyboardDevice.h"

namespace tvx {

namespace {

struct KeyName {
  std::string_view name;
  KeyCodes codes;
};

// DirectInput slots are the PC set-1 scancodes (0x80 added for extended keys); virtual keys
// follow the Windows table. Letters and digits come from their rows below by position.
constexpr std::array kKeys{
    KeyName{"A", {0x1E, 'A'}},
    KeyName{"B", {0x30, 'B'}},
    KeyName{"C", {0x2E, 'C'}},
    KeyName{"D", {0x20, 'D'}},
    KeyName{"E", {0x12, 'E'}},
    KeyName{"F", {0x21, 'F'}},
    KeyName{"G", {0x22, 'G'}},
    KeyName{"H", {0x23, 'H'}},
    KeyName{"I", {0x17, 'I'}},
    KeyName{"J", {0x24, 'J'}},
    KeyName{"K", {0x25, 'K'}},
    KeyName{"L", {0x26, 'L'}},
    KeyName{"M", {0x32, 'M'}},
    KeyName{"N", {0x31, 'N'}},
    KeyName{"O", {0x18, 'O'}},
    KeyName{"P", {0x19, 'P'}},
    KeyName{"Q", {0x10, 'Q'}},
    KeyName{"R", {0x13, 'R'}},
    KeyName{"S", {0x1F, 'S'}},
    KeyName{"T", {0x14, 'T'}},
    KeyName{"U", {0x16, 'U'}},
    KeyName{"V", {0x2F, 'V'}},
    KeyName{"W", {0x11, 'W'}},
    KeyName{"X", {0x2D, 'X'}},
    KeyName{"Y", {0x15, 'Y'}},
    KeyName{"Z", {0x2C, 'Z'}},
    KeyName{"1", {0x02, '1'}},
    KeyName{"2", {0x03, '2'}},
    KeyName{"3", {0x04, '3'}},
    KeyName{"4", {0x05, '4'}},
    KeyName{"5", {0x06, '5'}},
    KeyName{"6", {0x07, '6'}},
    KeyName{"7", {0x08, '7'}},
    KeyName{"8", {0x09, '8'}},
    KeyName{"9", {0x0A, '9'}},
    KeyName{"0", {0x0B, '0'}},
    KeyName{"Up", {dik::Up, 38}},
    KeyName{"Down", {dik::Down, 40}},
    KeyName{"Left", {dik::Left, 37}},
    KeyName{"Right", {dik::Right, 39}},
    KeyName{"Return", {0x1C, 13}},
    KeyName{"Escape", {0x01, 27}},
    KeyName{"Space", {0x39, 32}},
    KeyName{"Tab", {0x0F, 9}},
    KeyName{"Backspace", {0x0E, 8}},
    KeyName{"Left Ctrl", {0x1D, 17}},
    KeyName{"Right Ctrl", {0x9D, 17}},
    KeyName{"Left Shift", {0x2A, 16}},
    KeyName{"Right Shift", {0x36, 16}},
    KeyName{"Left Alt", {0x38, 18}},
    KeyName{"Right Alt", {0xB8, 18}},
    KeyName{"Home", {0xC7, 36}},
    KeyName{"End", {0xCF, 35}},
    KeyName{"PageUp", {0xC9, 33}},
    KeyName{"PageDown", {0xD1, 34}},
    KeyName{"Insert", {0xD2, 45}},
    KeyName{"Delete", {0xD3, 46}},
    KeyName{"Keypad 0", {0x52, 96}},
    KeyName{"Keypad 1", {0x4F, 97}},
    KeyName{"Keypad 2", {0x50, 98}},
    KeyName{"Keypad 3", {0x51, 99}},
    KeyName{"Keypad 4", {0x4B, 100}},
    KeyName{"Keypad 5", {0x4C, 101}},
    KeyName{"Keypad 6", {0x4D, 102}},
    KeyName{"Keypad 7", {0x47, 103}},
    KeyName{"Keypad 8", {0x48, 104}},
    KeyName{"Keypad 9", {0x49, 105}},
    KeyName{"Keypad Enter", {0x9C, 13}},
    KeyName{"Keypad +", {0x4E, 107}},
    KeyName{"Keypad -", {0x4A, 109}},
    KeyName{"Keypad *", {0x37, 106}},
    KeyName{"Keypad /", {0xB5, 111}},
    KeyName{"Keypad .", {0x53, 110}},
    KeyName{"Minus", {0x0C, 189}},
    KeyName{"Equals", {0x0D, 187}},
    KeyName{"Left Bracket", {0x1A, 219}},
    KeyName{"Right Bracket", {0x1B, 221}},
    KeyName{"Semicolon", {0x27, 186}},
    KeyName{"Apostrophe", {0x28, 222}},
    KeyName{"Grave", {0x29, 192}},
    KeyName{"Backslash", {0x2B, 220}},
    KeyName{"Comma", {0x33, 188}},
    KeyName{"Period", {0x34, 190}},
    KeyName{"Slash", {0x35, 191}},
    KeyName{"F1", {0x3B, 112}},
    KeyName{"F2", {0x3C, 113}},
    KeyName{"F3", {0x3D, 114}},
    KeyName{"F4", {0x3E, 115}},
    KeyName{"F5", {0x3F, 116}},
    KeyName{"F6", {0x40, 117}},
    KeyName{"F7", {0x41, 118}},
    KeyName{"F8", {0x42, 119}},
    KeyName{"F9", {0x43, 120}},
    KeyName{"F12", {0x58, 123}},
};
// F10 and F11 are left out: the program itself uses them (mute, full screen).

const KeyName* Find(std::string_view name) {
  for (const KeyName& key : kKeys) {
    if (SameKeyName(key.name, name)) return &key;
  }
  return nullptr;
}

}  // namespace

bool SameKeyName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::string_view KeyNameOfSlot(std::uint8_t slot) {
  for (const KeyName& key : kKeys) {
    if (key.codes.slot == slot) return key.name;
  }
  return {};
}

std::optional<KeyCodes> FindKeyName(std::string_view name) {
  const KeyName* key = Find(name);
  if (key == nullptr) return std::nullopt;
  return key->codes;
}

std::string CanonicalKeyName(std::string_view name) {
  const KeyName* key = Find(name);
  return key != nullptr ? std::string(key->name) : std::string();
}

BoundKeys BoundKeysOf(const Settings& settings) {
  BoundKeys keys;
  for (std::size_t input = 0; input < kBoundInputs; ++input) {
    for (const std::string& name : settings.extraKeys[input]) {
      if (const std::optional<KeyCodes> codes = FindKeyName(name)) keys[input].push_back(*codes);
    }
  }
  return keys;
}

}  // namespace tvx
