#include "settings/SettingsTable.h"

#include <array>
#include <charconv>
#include <cstddef>

#include "settings/KeyNames.h"
#include "settings/PadNames.h"

namespace tvx {

namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == text.npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char c = (a[i] >= 'A' && a[i] <= 'Z') ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    if (c != b[i]) return false;
  }
  return true;
}

bool ParseBool(std::string_view text, bool& out) {
  for (std::string_view yes : {"true", "yes", "on", "1"}) {
    if (SameWord(text, yes)) return out = true, true;
  }
  for (std::string_view no : {"false", "no", "off", "0"}) {
    if (SameWord(text, no)) return out = false, true;
  }
  return false;
}

bool ParseVolume(std::string_view text, int& out) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return false;
  if (value < 0 || value > kMaxVolume) return false;
  out = value;
  return true;
}

// A comma-separated list of names, each spelt as `canonical` spells it; unknown names and those
// past the limit are named in `problems` and left out.
std::vector<std::string> ParseNames(std::string_view text,
                                    std::string (*canonical)(std::string_view),
                                    std::string_view what, std::vector<std::string>& problems) {
  std::vector<std::string> names;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view name = Trim(text.substr(0, comma));
    text = comma == text.npos ? std::string_view() : text.substr(comma + 1);
    if (name.empty()) continue;
    std::string spelt = canonical(name);
    if (spelt.empty()) {
      problems.push_back("unknown " + std::string(what) + " name '" + std::string(name) + "'");
    } else if (names.size() >= kMaxExtraKeys) {
      problems.push_back("more than " + std::to_string(kMaxExtraKeys) + " names");
      break;
    } else {
      names.push_back(std::move(spelt));
    }
  }
  return names;
}

bool ParseKeys(std::string_view text, std::vector<std::string>& out,
               std::vector<std::string>& problems) {
  out = ParseNames(text, CanonicalKeyName, "key", problems);
  return true;
}

// A pad input without any button could not be reached from a pad again: an empty or wholly
// unknown list is refused and the default stays.
bool ParsePadButtons(std::string_view text, std::vector<std::string>& out,
                     std::vector<std::string>& problems) {
  std::vector<std::string> buttons = ParseNames(text, CanonicalPadName, "button", problems);
  if (buttons.empty()) return false;
  out = std::move(buttons);
  return true;
}

std::string FormatNames(const std::vector<std::string>& keys) {
  std::string text;
  for (const std::string& key : keys) text += (text.empty() ? "" : ", ") + key;
  return text;
}

std::string FormatBool(bool value) { return value ? "true" : "false"; }

template <bool Settings::*Field>
constexpr SettingRow BoolRow(std::string_view section, std::string_view name) {
  return {section, name, "true or false",
          [](Settings& s, std::string_view text, std::vector<std::string>&) {
            return ParseBool(text, s.*Field);
          },
          [](const Settings& s) { return FormatBool(s.*Field); }};
}

template <int Settings::*Field>
constexpr SettingRow VolumeRow(std::string_view name) {
  return {"sound", name, "a whole number from 0 to 100",
          [](Settings& s, std::string_view text, std::vector<std::string>&) {
            return ParseVolume(text, s.*Field);
          },
          [](const Settings& s) { return std::to_string(s.*Field); }};
}

template <BoundInput Input>
constexpr SettingRow KeysRow(std::string_view name) {
  constexpr auto index = static_cast<std::size_t>(Input);
  return {"keys", name, "key names separated by commas",
          [](Settings& s, std::string_view text, std::vector<std::string>& problems) {
            return ParseKeys(text, s.extraKeys[index], problems);
          },
          [](const Settings& s) { return FormatNames(s.extraKeys[index]); }};
}

template <BoundInput Input>
constexpr SettingRow PadRow(std::string_view name) {
  constexpr auto index = static_cast<std::size_t>(Input);
  return {"pad", name, "button names separated by commas",
          [](Settings& s, std::string_view text, std::vector<std::string>& problems) {
            return ParsePadButtons(text, s.padButtons[index], problems);
          },
          [](const Settings& s) { return FormatNames(s.padButtons[index]); }};
}

constexpr std::array kRows{
    BoolRow<&Settings::fullscreen>("display", "fullscreen"),
    SettingRow{"display", "scale", "fit or integer",
               [](Settings& s, std::string_view text, std::vector<std::string>&) {
                 if (SameWord(text, "fit")) return s.scale = ScaleMode::Fit, true;
                 if (SameWord(text, "integer")) return s.scale = ScaleMode::Integer, true;
                 return false;
               },
               [](const Settings& s) { return std::string(ScaleModeName(s.scale)); }},
    BoolRow<&Settings::pauseOnFocusLoss>("display", "pause_on_focus_loss"),
    BoolRow<&Settings::smoothMotion>("display", "smooth_motion"),
    VolumeRow<&Settings::masterVolume>("master_volume"),
    VolumeRow<&Settings::musicVolume>("music_volume"),
    VolumeRow<&Settings::effectsVolume>("effects_volume"),
    BoolRow<&Settings::mute>("sound", "mute"),
    KeysRow<BoundInput::Up>("up"),
    KeysRow<BoundInput::Down>("down"),
    KeysRow<BoundInput::Left>("left"),
    KeysRow<BoundInput::Right>("right"),
    KeysRow<BoundInput::Enter>("enter"),
    KeysRow<BoundInput::Escape>("escape"),
    KeysRow<BoundInput::Control>("control"),
    PadRow<BoundInput::Up>("up"),
    PadRow<BoundInput::Down>("down"),
    PadRow<BoundInput::Left>("left"),
    PadRow<BoundInput::Right>("right"),
    PadRow<BoundInput::Enter>("enter"),
    PadRow<BoundInput::Escape>("escape"),
    PadRow<BoundInput::Control>("control"),
};

}  // namespace

std::span<const SettingRow> SettingRows() { return kRows; }

}  // namespace tvx
