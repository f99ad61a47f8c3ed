#include "options/OptionsMenu.h"

#include <algorithm>
#include <array>

#include "settings/KeyNames.h"
#include "settings/PadNames.h"

namespace tvx {

namespace {

constexpr std::array<std::string_view, kBoundInputs> kInputNames{"UP",    "DOWN", "LEFT", "RIGHT",
                                                                 "ENTER", "ESC",  "CTRL"};
constexpr std::array<std::string_view, kBoundInputs> kInputLabels{
    "Steer up",   "Steer down",       "Steer left", "Steer right", "Start, pause (ENTER)",
    "Back (ESC)", "Car select (CTRL)"};
// The original keys of each input, by name: they always work and cannot be given elsewhere.
constexpr std::array<std::array<std::string_view, 2>, kBoundInputs> kOriginalKeys{{
    {"Up", ""},
    {"Down", ""},
    {"Left", ""},
    {"Right", ""},
    {"Return", "Keypad Enter"},
    {"Escape", ""},
    {"Left Ctrl", "Right Ctrl"},
}};

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

std::string OnOff(bool value) { return value ? "On" : "Off"; }

bool Holds(const std::vector<std::string>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Gives `name` to `input` alone in `bindings`; an input that held it loses it and, when that
// leaves it with none and `exchange` is set, takes `input`'s old names. Returns the notice.
std::string Rebind(Bindings& bindings, BoundInput input, const std::string& name, bool exchange) {
  const auto target = static_cast<std::size_t>(input);
  std::vector<std::string> old = std::move(bindings[target]);
  bindings[target] = {name};
  std::string notice = name + " is now " + std::string(InputName(input));
  for (std::size_t other = 0; other < kBoundInputs; ++other) {
    std::vector<std::string>& names = bindings[other];
    if (other == target || !Holds(names, name)) continue;
    std::erase(names, name);
    notice += ", no longer " + std::string(kInputNames[other]);
    if (names.empty() && exchange) {
      std::erase(old, name);
      names = old;
      notice += " (" + std::string(kInputNames[other]) + " takes " + Joined(old) + ")";
    }
  }
  return notice;
}

}  // namespace

std::string_view InputName(BoundInput input) {
  return kInputNames[static_cast<std::size_t>(input)];
}

OptionsMenu::OptionsMenu(const Settings& settings) : values_(settings) {
  for (OptionKind kind :
       {OptionKind::Fullscreen, OptionKind::Scale, OptionKind::SmoothMotion,
        OptionKind::MasterVolume, OptionKind::MusicVolume, OptionKind::EffectsVolume,
        OptionKind::Mute, OptionKind::PauseOnFocusLoss}) {
    rows_.push_back({kind});
  }
  for (std::size_t input = 0; input < kBoundInputs; ++input) {
    rows_.push_back({OptionKind::Binding, static_cast<BoundInput>(input)});
  }
  rows_.push_back({OptionKind::Defaults});
  rows_.push_back({OptionKind::Leave});
}

void OptionsMenu::Command(MenuCommand command) {
  if (waiting_ || done_) return;
  notice_.clear();
  const OptionRow& row = rows_[cursor_];
  switch (command) {
    case MenuCommand::Up:
      cursor_ = (cursor_ + rows_.size() - 1) % rows_.size();
      break;
    case MenuCommand::Down:
      cursor_ = (cursor_ + 1) % rows_.size();
      break;
    case MenuCommand::Left:
      Change(row, -1);
      break;
    case MenuCommand::Right:
      Change(row, 1);
      break;
    case MenuCommand::Accept:
      if (row.kind == OptionKind::Binding) {
        waiting_ = true;
        Say("Press a key or a pad button for " + std::string(InputName(row.input)) +
                " (ESC: keep it as it is)",
            false);
      } else if (row.kind == OptionKind::Leave) {
        done_ = true;
      } else if (row.kind == OptionKind::Defaults) {
        values_.extraKeys = Settings{}.extraKeys;
        values_.padButtons = Settings{}.padButtons;
        Say("Keys and pad buttons are back to their defaults", false);
      } else {
        Change(row, 1);
      }
      break;
    case MenuCommand::Back:
      done_ = true;
      break;
  }
}

void OptionsMenu::Change(const OptionRow& row, int direction) {
  const auto volume = [direction](int& value) {
    value = std::clamp(value + direction * kVolumeStep, 0, kMaxVolume);
  };
  switch (row.kind) {
    case OptionKind::Fullscreen:
      values_.fullscreen = !values_.fullscreen;
      break;
    case OptionKind::Scale:
      values_.scale = values_.scale == ScaleMode::Fit ? ScaleMode::Integer : ScaleMode::Fit;
      break;
    case OptionKind::SmoothMotion:
      values_.smoothMotion = !values_.smoothMotion;
      break;
    case OptionKind::MasterVolume:
      volume(values_.masterVolume);
      break;
    case OptionKind::MusicVolume:
      volume(values_.musicVolume);
      break;
    case OptionKind::EffectsVolume:
      volume(values_.effectsVolume);
      break;
    case OptionKind::Mute:
      values_.mute = !values_.mute;
      break;
    case OptionKind::PauseOnFocusLoss:
      values_.pauseOnFocusLoss = !values_.pauseOnFocusLoss;
      break;
    case OptionKind::Binding:
    case OptionKind::Defaults:
    case OptionKind::Leave:
      break;
  }
}

void OptionsMenu::BindKey(std::string_view keyName) {
  if (!waiting_) return;
  waiting_ = false;
  const BoundInput input = rows_[cursor_].input;
  if (keyName.empty()) return Say("That key cannot be bound; nothing changed", true);
  const std::string name(keyName);
  if (SameKeyName(name, kOptionsKeyName))
    return Say(name + " opens the options; nothing changed", true);
  for (std::size_t other = 0; other < kBoundInputs; ++other) {
    for (std::string_view original : kOriginalKeys[other]) {
      if (original == name)
        return Say(name + " is the " + std::string(kInputNames[other]) +
                       " key of the game; nothing changed",
                   other != static_cast<std::size_t>(input));
    }
  }
  const std::vector<std::string>& current = values_.extraKeys[static_cast<std::size_t>(input)];
  if (current.size() == 1 && current[0] == name) return Say(name + " stays", false);
  // Keys add to the original ones, so an input left without extra keys still has its own.
  Say(Rebind(values_.extraKeys, input, name, false), false);
}

void OptionsMenu::BindPad(PadButton button) {
  if (!waiting_) return;
  waiting_ = false;
  const BoundInput input = rows_[cursor_].input;
  const std::string name(PadButtonName(button));
  if (button == kOptionsPadButton) return Say(name + " opens the options; nothing changed", true);
  const std::vector<std::string>& current = values_.padButtons[static_cast<std::size_t>(input)];
  if (current.size() == 1 && current[0] == name) return Say(name + " stays", false);
  // A pad has no original buttons: an input must keep one, so it takes the old one in exchange.
  Say(Rebind(values_.padButtons, input, name, true), false);
}

void OptionsMenu::Cancel() {
  waiting_ = false;
  notice_.clear();
}

void OptionsMenu::Say(std::string text, bool refusal) {
  notice_ = std::move(text);
  refusal_ = refusal;
}

std::string OptionsMenu::Label(std::size_t row) const {
  const OptionRow& r = rows_.at(row);
  switch (r.kind) {
    case OptionKind::Fullscreen:
      return "Display";
    case OptionKind::Scale:
      return "Scaling";
    case OptionKind::SmoothMotion:
      return "Smooth motion";
    case OptionKind::MasterVolume:
      return "Master volume";
    case OptionKind::MusicVolume:
      return "Music volume";
    case OptionKind::EffectsVolume:
      return "Effects volume";
    case OptionKind::Mute:
      return "Mute (F10)";
    case OptionKind::PauseOnFocusLoss:
      return "Pause on focus loss";
    case OptionKind::Binding:
      return std::string(kInputLabels[static_cast<std::size_t>(r.input)]);
    case OptionKind::Defaults:
      return "Keys and pad buttons back to defaults";
    case OptionKind::Leave:
      return "Save and leave";
  }
  return {};
}

std::string OptionsMenu::Value(std::size_t row) const {
  const OptionRow& r = rows_.at(row);
  const auto volume = [](int value) {
    return std::string(static_cast<std::size_t>(value / kVolumeStep), '|') + " " +
           std::to_string(value);
  };
  switch (r.kind) {
    case OptionKind::Fullscreen:
      return values_.fullscreen ? "Full screen" : "Window";
    case OptionKind::Scale:
      return values_.scale == ScaleMode::Fit ? "Fit" : "Integer (sharp)";
    case OptionKind::SmoothMotion:
      return OnOff(values_.smoothMotion);
    case OptionKind::MasterVolume:
      return volume(values_.masterVolume);
    case OptionKind::MusicVolume:
      return volume(values_.musicVolume);
    case OptionKind::EffectsVolume:
      return volume(values_.effectsVolume);
    case OptionKind::Mute:
      return OnOff(values_.mute);
    case OptionKind::PauseOnFocusLoss:
      return OnOff(values_.pauseOnFocusLoss);
    case OptionKind::Binding: {
      const auto index = static_cast<std::size_t>(r.input);
      std::string keys(kOriginalKeys[index][0]);
      const std::string extra = Joined(values_.extraKeys[index]);
      return extra.empty() ? keys : keys + ", " + extra;
    }
    case OptionKind::Defaults:
    case OptionKind::Leave:
      break;
  }
  return {};
}

std::string OptionsMenu::PadValue(std::size_t row) const {
  const OptionRow& r = rows_.at(row);
  if (r.kind != OptionKind::Binding) return {};
  return Joined(values_.padButtons[static_cast<std::size_t>(r.input)]);
}

}  // namespace tvx
