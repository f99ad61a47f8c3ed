// The options screen's rows and what each press does to them, on a copy of the settings:
// display mode, scaling and smooth motion, the three volumes, mute, pause on focus loss, then a key
// and a pad button for each of the game's inputs, "back to defaults" and "leave". Up and down move
// between rows, left and right change a value, accept toggles a value or starts waiting for
// the new key or button of a binding row; back (or accept on "leave") ends the screen.
//
// Bindings never double in silence. A key or button for one input that another input holds
// already moves over, and the input it leaves takes the binding's old one in exchange when it
// would otherwise have none; the original keys (arrows, ENTER, ESC, CTRL) and what opens this
// screen are refused. Every refusal and exchange is said in Notice(). Nothing here draws,
// reads devices or writes files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/input/PadButton.h"
#include "settings/Settings.h"

namespace tvx {

enum class MenuCommand { Up, Down, Left, Right, Accept, Back };

enum class OptionKind {
  Fullscreen,
  Scale,
  SmoothMotion,
  MasterVolume,
  MusicVolume,
  EffectsVolume,
  Mute,
  PauseOnFocusLoss,
  Binding,
  Defaults,
  Leave
};

struct OptionRow {
  OptionKind kind;
  BoundInput input = BoundInput::Up;  // for Binding rows
};

// The key and the pad button that open the options screen from the title.
constexpr std::string_view kOptionsKeyName = "O";
constexpr PadButton kOptionsPadButton = PadButton::RightShoulder;

constexpr int kVolumeStep = 10;

class OptionsMenu {
 public:
  explicit OptionsMenu(const Settings& settings);

  void Command(MenuCommand command);
  // While waiting for a binding: the key pressed (its name in KeyNames, empty for a key
  // that has none) or the pad button; Cancel stops waiting with nothing changed.
  void BindKey(std::string_view keyName);
  void BindPad(PadButton button);
  void Cancel();
  // The values as changed outside the screen meanwhile (F10).
  void Follow(const Settings& values) { values_ = values; }

  bool Waiting() const { return waiting_; }
  bool Done() const { return done_; }
  const Settings& Values() const { return values_; }
  std::size_t Cursor() const { return cursor_; }
  const std::vector<OptionRow>& Rows() const { return rows_; }
  // What the last press refused or moved, or what to press while waiting; empty for none.
  const std::string& Notice() const { return notice_; }
  bool NoticeIsRefusal() const { return refusal_; }

  // How a row reads: its label, its value (or keys), and for binding rows the pad buttons.
  std::string Label(std::size_t row) const;
  std::string Value(std::size_t row) const;
  std::string PadValue(std::size_t row) const;

 private:
  void Change(const OptionRow& row, int direction);
  void Say(std::string text, bool refusal);

  Settings values_;
  std::vector<OptionRow> rows_;
  std::size_t cursor_ = 0;
  bool waiting_ = false;
  bool done_ = false;
  std::string notice_;
  bool refusal_ = false;
};

// The name the options screen gives an input ("UP", "ENTER"...).
std::string_view InputName(BoundInput input);

}  // namespace tvx
