// While the launcher shows, ENTER and SPACE press its focused "Start Game" button and are
// not handed to the key-down handler: the game must not see a key before it has started.
#pragma once

#include <cstdint>

#include "platform/Application.h"

namespace tvx {

inline bool IsLauncherStartKey(std::uint16_t virtualKey) {
  return virtualKey == vk::Return || virtualKey == vk::Space;
}

}  // namespace tvx
