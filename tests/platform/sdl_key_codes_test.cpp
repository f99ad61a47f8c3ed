#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/sdl/SdlKeyCodes.h"

namespace tvx {
namespace {

TEST(DirectInputKeyCodeTest, ArrowsAndTheKeysTheGameNamesHaveTheirCodes) {
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_UP), 0xC8);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_DOWN), 0xD0);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_LEFT), 0xCB);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_RIGHT), 0xCD);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_ESCAPE), 0x01);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_RETURN), 0x1C);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_KP_ENTER), 0x9C);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_LCTRL), 0x1D);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_RCTRL), 0x9D);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_LSHIFT), 0x2A);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_SPACE), 0x39);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_HOME), 0xC7);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_END), 0xCF);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_PAGEUP), 0xC9);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_PAGEDOWN), 0xD1);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_INSERT), 0xD2);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_DELETE), 0xD3);
}

TEST(DirectInputKeyCodeTest, RowsFollowThePcLayout) {
  const std::string rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  const std::uint8_t rowStarts[] = {0x10, 0x1E, 0x2C};
  for (int row = 0; row < 3; ++row) {
    for (std::size_t i = 0; i < rows[row].size(); ++i) {
      const SDL_Scancode scancode =
          static_cast<SDL_Scancode>(SDL_SCANCODE_A + (rows[row][i] - 'A'));
      EXPECT_EQ(DirectInputKeyCode(scancode), rowStarts[row] + i) << rows[row][i];
    }
  }
  for (int digit = 1; digit <= 9; ++digit) {
    EXPECT_EQ(DirectInputKeyCode(static_cast<SDL_Scancode>(SDL_SCANCODE_1 + digit - 1)),
              0x01 + digit);
  }
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_0), 0x0B);
  for (int f = 0; f < 10; ++f) {
    EXPECT_EQ(DirectInputKeyCode(static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + f)), 0x3B + f);
  }
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_F11), 0x57);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_F12), 0x58);
}

TEST(DirectInputKeyCodeTest, NoTwoKeysShareACodeAndUnknownKeysHaveNone) {
  std::map<int, int> owner;
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
    const int code = DirectInputKeyCode(scancode);
    if (code == 0) continue;
    const auto [it, inserted] = owner.emplace(code, scancode);
    EXPECT_TRUE(inserted) << "code " << code << " for scancodes " << it->second << " and "
                          << scancode;
  }
  EXPECT_GT(owner.size(), 100u);
  EXPECT_EQ(DirectInputKeyCode(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(DirectInputKeyCode(-1), 0);
  EXPECT_EQ(DirectInputKeyCode(SDL_NUM_SCANCODES), 0);
}

TEST(VirtualKeyTest, TheGamesKeysHaveTheirWindowsCodes) {
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_RETURN), 13);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_KP_ENTER), 13);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_ESCAPE), 27);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_LCTRL), 17);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_RCTRL), 17);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_SPACE), 32);
  for (SDL_Keycode letter = SDLK_a; letter <= SDLK_z; ++letter) {
    EXPECT_EQ(VirtualKeyFromKeycode(letter), 65 + (letter - SDLK_a));
  }
  for (SDL_Keycode digit = SDLK_0; digit <= SDLK_9; ++digit) {
    EXPECT_EQ(VirtualKeyFromKeycode(digit), 48 + (digit - SDLK_0));
  }
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_UP), 38);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_F1), 112);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_BACKSPACE), 8);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_UNKNOWN), 0);
}

}  // namespace
}  // namespace tvx
