#include "settings/SettingsTable.h"

#include <array>
#include <charconv>
#include <cstddef>

#include "settings/KeyNames.h"

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

bool ParseKeys(std::string_view text, std::vector<std::string>& out,
               std::vector<std::string>& problems) {
  std::vector<std::string> keys;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view name = Trim(text.substr(0, comma));
    text = comma == text.npos ? std::string_view() : text.substr(comma + 1);
    if (name.empty()) continue;
    std::string canonical = CanonicalKeyName(name);
    if (canonical.empty()) {
      problems.push_back("unknown key name '" + std::string(name) + "'");
    } else if (keys.size() >= kMaxExtraKeys) {
      problems.push_back("more than " + std::to_string(kMaxExtraKeys) + " keys");
      break;
    } else {
      keys.push_back(std::move(canonical));
    }
  }
  out = std::move(keys);
  return true;
}

std::string FormatKeys(const std::vector<std::string>& keys) {
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
          [](const Settings& s) { return FormatKeys(s.extraKeys[index]); }};
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
};

}  // namespace

std::span<const SettingRow> SettingRows() { return kRows; }

}  // namespace tvx
