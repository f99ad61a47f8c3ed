// The input router: extra keys and pad buttons become the game's own keys and slots; a pad
// enters names arcade style; F10 mutes and never reaches the game.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/Application.h"
#include "platform/KeyboardDevice.h"
#include "platform/input/InputRouter.h"
#include "settings/KeyNames.h"

namespace tvx {
namespace {

class InputRouterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Settings settings;
    settings.extraKeys[static_cast<std::size_t>(BoundInput::Left)] = {"A", "Keypad 4"};
    settings.extraKeys[static_cast<std::size_t>(BoundInput::Up)] = {"W"};
    settings.extraKeys[static_cast<std::size_t>(BoundInput::Enter)] = {"Space", "E"};
    settings.extraKeys[static_cast<std::size_t>(BoundInput::Control)] = {"Tab"};
    router.SetBoundKeys(BoundKeysOf(settings));
    router.SetNameEntryQuery([this] { return naming; });
    router.SetOnToggleMute([this] { ++muteToggles; });
  }

  // Types a letter with the pad: turns the cursor from where it is to `letter`, then A.
  std::uint16_t PadLetter(char letter) {
    while (router.CandidateLetter() != letter) EXPECT_EQ(router.PadDown(PadButton::Up), 0);
    return router.PadDown(PadButton::A);
  }

  InputRouter router;
  bool naming = false;
  int muteToggles = 0;
};

TEST_F(InputRouterTest, BoundKeysFillTheSteeringSlotsAndActAsCommands) {
  std::array<std::uint8_t, 256> state{};
  state[0x4B] = 0x80;  // Keypad 4
  router.AddHeldSlots(state.data(), {});
  EXPECT_EQ(state[dik::Left], 0x80);  // left
  EXPECT_EQ(state[dik::Up] | state[dik::Down] | state[dik::Right], 0);
  router.AddHeldSlots(state.data(), {.down = true, .right = true});
  EXPECT_EQ(state[dik::Down], 0x80);
  EXPECT_EQ(state[dik::Right], 0x80);

  EXPECT_EQ(router.KeyDown(vk::Space, false), vk::Return);
  EXPECT_EQ(router.KeyDown('E', true), vk::Return);
  EXPECT_EQ(router.KeyDown(9, false), vk::Control);
  EXPECT_EQ(router.KeyDown(vk::Return, false), vk::Return);  // the original keys stay
  EXPECT_EQ(router.KeyDown('Q', false), 'Q');
  // Letters and space type names even when bound.
  naming = true;
  EXPECT_EQ(router.KeyDown(vk::Space, false), vk::Space);
  EXPECT_EQ(router.KeyDown('E', false), 'E');
  EXPECT_EQ(router.KeyDown(9, false), vk::Control);
}

TEST_F(InputRouterTest, F10TogglesMuteOncePerPressAndNeverReachesTheGame) {
  EXPECT_EQ(router.KeyDown(InputRouter::kMuteKey, false), 0);
  EXPECT_EQ(router.KeyDown(InputRouter::kMuteKey, true), 0);
  EXPECT_EQ(muteToggles, 1);
}

TEST_F(InputRouterTest, PadButtonsAreTheGamesKeysAndDirectionsOnlySteer) {
  EXPECT_EQ(router.PadDown(PadButton::A), vk::Return);
  EXPECT_EQ(router.PadDown(PadButton::Start), vk::Return);
  EXPECT_EQ(router.PadDown(PadButton::B), vk::Escape);
  EXPECT_EQ(router.PadDown(PadButton::Back), vk::Escape);
  EXPECT_EQ(router.PadDown(PadButton::X), vk::Control);
  EXPECT_EQ(router.PadDown(PadButton::Y), vk::Control);
  for (PadButton direction : {PadButton::Up, PadButton::Down, PadButton::Left, PadButton::Right}) {
    EXPECT_EQ(router.PadDown(direction), 0);
  }
  EXPECT_EQ(router.CandidateLetter(), 'A');  // directions outside name entry turn nothing
}

TEST_F(InputRouterTest, PadEntersANameArcadeStyle) {
  naming = true;
  EXPECT_EQ(router.CandidateLetter(), 'A');
  EXPECT_EQ(router.PadDown(PadButton::Down), 0);  // round from A to the space
  EXPECT_EQ(router.CandidateLetter(), ' ');
  EXPECT_EQ(router.PadDown(PadButton::Right), vk::Space);
  EXPECT_EQ(router.PadDown(PadButton::Down), 0);
  EXPECT_EQ(router.PadDown(PadButton::A), 'Z');  // A types the letter instead of ENTER
  EXPECT_EQ(PadLetter('M'), 'M');
  EXPECT_EQ(router.PadDown(PadButton::Left), 0);
  EXPECT_EQ(router.PadDown(PadButton::Start), vk::Return);
  EXPECT_EQ(router.PadDown(PadButton::B), vk::Escape);
}

}  // namespace
}  // namespace tvx
