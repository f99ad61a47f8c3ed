// The options screen's rows: moving, changing values within their bounds, and bindings that
// never double in silence (refused, moved or exchanged, and said so).
#include <gtest/gtest.h>

#include "options/OptionsMenu.h"

namespace tvx {
namespace {

constexpr auto kUp = static_cast<std::size_t>(BoundInput::Up);
constexpr auto kLeft = static_cast<std::size_t>(BoundInput::Left);
constexpr auto kEnter = static_cast<std::size_t>(BoundInput::Enter);
constexpr auto kEscape = static_cast<std::size_t>(BoundInput::Escape);

class OptionsMenuTest : public ::testing::Test {
 protected:
  // Moves the cursor down to the first row of `kind` (the binding row of `input`).
  void GoTo(OptionKind kind, BoundInput input = BoundInput::Up) {
    for (std::size_t i = 0; i < menu.Rows().size(); ++i) {
      const OptionRow& row = menu.Rows()[menu.Cursor()];
      if (row.kind == kind && (kind != OptionKind::Binding || row.input == input)) return;
      menu.Command(MenuCommand::Down);
    }
    FAIL() << "no such row";
  }

  OptionsMenu menu{Settings{}};
};

TEST_F(OptionsMenuTest, ValuesChangeWithinTheirBoundsAndTheCursorGoesRound) {
  menu.Command(MenuCommand::Up);
  EXPECT_EQ(menu.Rows()[menu.Cursor()].kind, OptionKind::Leave);
  GoTo(OptionKind::MusicVolume);
  menu.Command(MenuCommand::Right);
  EXPECT_EQ(menu.Values().musicVolume, 100);
  for (int i = 0; i < 12; ++i) menu.Command(MenuCommand::Left);
  EXPECT_EQ(menu.Values().musicVolume, 0);
  menu.Command(MenuCommand::Right);
  EXPECT_EQ(menu.Values().musicVolume, kVolumeStep);
  GoTo(OptionKind::Mute);
  menu.Command(MenuCommand::Accept);
  EXPECT_TRUE(menu.Values().mute);
  GoTo(OptionKind::Leave);
  EXPECT_FALSE(menu.Done());
  menu.Command(MenuCommand::Accept);
  EXPECT_TRUE(menu.Done());
}

TEST_F(OptionsMenuTest, AKeyInUseMovesAndOriginalKeysAreRefused) {
  GoTo(OptionKind::Binding, BoundInput::Up);
  menu.Command(MenuCommand::Accept);
  EXPECT_TRUE(menu.Waiting());
  menu.BindKey("W");
  EXPECT_EQ(menu.Values().extraKeys[kUp], std::vector<std::string>{"W"});

  GoTo(OptionKind::Binding, BoundInput::Left);
  menu.Command(MenuCommand::Accept);
  menu.BindKey("W");
  EXPECT_EQ(menu.Values().extraKeys[kLeft], std::vector<std::string>{"W"});
  EXPECT_TRUE(menu.Values().extraKeys[kUp].empty());  // moved, not doubled
  EXPECT_NE(menu.Notice().find("no longer UP"), std::string::npos) << menu.Notice();

  for (std::string_view refused : {"Return", "Keypad Enter", "Right Ctrl", "O", ""}) {
    menu.Command(MenuCommand::Accept);
    menu.BindKey(refused);
    EXPECT_TRUE(menu.NoticeIsRefusal()) << refused;
    EXPECT_EQ(menu.Values().extraKeys[kLeft], std::vector<std::string>{"W"}) << refused;
  }
  menu.Command(MenuCommand::Accept);
  menu.Cancel();
  EXPECT_FALSE(menu.Waiting());
  EXPECT_EQ(menu.Values().extraKeys[kLeft], std::vector<std::string>{"W"});
}

TEST_F(OptionsMenuTest, APadButtonInUseIsExchangedSoNoInputIsLeftWithout) {
  GoTo(OptionKind::Binding, BoundInput::Enter);
  menu.Command(MenuCommand::Accept);
  menu.BindPad(PadButton::B);
  // ENTER has B alone; ESC keeps Back.
  EXPECT_EQ(menu.Values().padButtons[kEnter], std::vector<std::string>{"B"});
  EXPECT_EQ(menu.Values().padButtons[kEscape], std::vector<std::string>{"Back"});

  GoTo(OptionKind::Binding, BoundInput::Escape);
  menu.Command(MenuCommand::Accept);
  menu.BindPad(PadButton::B);
  // ESC takes B; ENTER, left with none, takes ESC's Back in exchange.
  EXPECT_EQ(menu.Values().padButtons[kEscape], std::vector<std::string>{"B"});
  EXPECT_EQ(menu.Values().padButtons[kEnter], std::vector<std::string>{"Back"});
  EXPECT_NE(menu.Notice().find("ENTER takes Back"), std::string::npos) << menu.Notice();

  menu.Command(MenuCommand::Accept);
  menu.BindPad(kOptionsPadButton);
  EXPECT_TRUE(menu.NoticeIsRefusal());

  GoTo(OptionKind::Defaults);
  menu.Command(MenuCommand::Accept);
  EXPECT_EQ(menu.Values(), Settings{});
}

}  // namespace
}  // namespace tvx
