// Key names for the extra key bindings of the settings file ("W", "Space", "Left Ctrl",
// "Keypad 8"...), matched without regard to letter case, and the two codes the game reads
// each key by: its DirectInput slot in the keyboard state and its Windows virtual-key code in
// key-down events.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/input/BoundKeys.h"
#include "settings/Settings.h"

namespace tvx {

std::optional<KeyCodes> FindKeyName(std::string_view name);
// The table's spelling of a known name ("left ctrl" -> "Left Ctrl"); empty when unknown.
std::string CanonicalKeyName(std::string_view name);
// The name of the key in DirectInput slot `slot`; empty when the table has none.
std::string_view KeyNameOfSlot(std::uint8_t slot);
// Names compared as the settings file does: letter case does not matter.
bool SameKeyName(std::string_view a, std::string_view b);

// The key codes of the settings' extra keys (names the settings file accepted).
BoundKeys BoundKeysOf(const Settings& settings);

}  // namespace tvx
