// The input router: extra keys and pad buttons become the game's own keys and slots as bound;
// a pad enters names arcade style; F10 mutes and never reaches the game; a taker sees presses
// first.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/KeyboardDevice.h"
#include "platform/input/InputRouter.h"
#include "settings/KeyNames.h"
#include "settings/PadNames.h"

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
    router.SetPadBindings(PadBindingsOf(settings));
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
  router.AddHeldSlots(state.data(), 0);
  EXPECT_EQ(state[dik::Left], 0x80);  // left
  EXPECT_EQ(state[dik::Up] | state[dik::Down] | state[dik::Right], 0);
  router.AddHeldSlots(state.data(), PadBit(PadButton::Down) | PadBit(PadButton::Right));
  EXPECT_EQ(state[dik::Down], 0x80);
  EXPECT_EQ(state[dik::Right], 0x80);

  EXPECT_EQ(router.KeyDown(vk::Space, 0x39, false), vk::Return);
  EXPECT_EQ(router.KeyDown('E', 0x12, true), vk::Return);
  EXPECT_EQ(router.KeyDown(9, 0x0F, false), vk::Control);
  EXPECT_EQ(router.KeyDown(vk::Return, 0x1C, false), vk::Return);  // the original keys stay
  EXPECT_EQ(router.KeyDown('Q', 0x10, false), 'Q');
  // Letters and space type names even when bound.
  naming = true;
  EXPECT_EQ(router.KeyDown(vk::Space, 0x39, false), vk::Space);
  EXPECT_EQ(router.KeyDown('E', 0x12, false), 'E');
  EXPECT_EQ(router.KeyDown(9, 0x0F, false), vk::Control);
}

TEST_F(InputRouterTest, F10TogglesMuteOncePerPressAndNeverReachesTheGame) {
  EXPECT_EQ(router.KeyDown(InputRouter::kMuteKey, 0x44, false), 0);
  EXPECT_EQ(router.KeyDown(InputRouter::kMuteKey, 0x44, true), 0);
  EXPECT_EQ(muteToggles, 1);
}

TEST_F(InputRouterTest, ReboundPadButtonsActAndSteerAsBound) {
  Settings settings;
  settings.padButtons[static_cast<std::size_t>(BoundInput::Enter)] = {"RS"};
  settings.padButtons[static_cast<std::size_t>(BoundInput::Left)] = {"LB", "DPad Left"};
  router.SetPadBindings(PadBindingsOf(settings));
  EXPECT_EQ(router.PadDown(PadButton::RightStick), vk::Return);
  EXPECT_EQ(router.PadDown(PadButton::A), 0);  // no longer ENTER
  EXPECT_EQ(router.PadDown(PadButton::LeftShoulder), 0);
  std::array<std::uint8_t, 256> state{};
  router.AddHeldSlots(state.data(), PadBit(PadButton::LeftShoulder));
  EXPECT_EQ(state[dik::Left], 0x80);
}

class Taker : public InputTaker {
 public:
  bool TakeKey(std::uint8_t slot, std::uint16_t, bool) override {
    keys.push_back(slot);
    return taking;
  }
  bool TakePad(PadButton button) override {
    pads.push_back(button);
    return taking;
  }
  bool taking = true;
  std::vector<std::uint8_t> keys;
  std::vector<PadButton> pads;
};

TEST_F(InputRouterTest, ATakerSeesPressesFirstAndWhatItTakesGoesNoFurther) {
  Taker taker;
  router.SetTaker(&taker);
  EXPECT_EQ(router.KeyDown(vk::Space, 0x39, false), 0);
  EXPECT_EQ(router.PadDown(PadButton::A), 0);
  EXPECT_EQ(router.KeyDown(InputRouter::kMuteKey, 0x44, false), 0);  // F10 mutes as ever
  EXPECT_EQ(muteToggles, 1);
  EXPECT_EQ(taker.keys, std::vector<std::uint8_t>{0x39});
  taker.taking = false;
  EXPECT_EQ(router.KeyDown(vk::Space, 0x39, false), vk::Return);
  EXPECT_EQ(router.PadDown(PadButton::A), vk::Return);
  EXPECT_EQ(taker.pads.size(), 2u);
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
