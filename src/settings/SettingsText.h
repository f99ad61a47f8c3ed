// The settings as INI text, read with inih:
//
//   [display]   fullscreen = true|false, scale = fit|integer, pause_on_focus_loss = true|false,
//               smooth_motion = true|false
//   [sound]     master_volume, music_volume, effects_volume = 0..100, mute = true|false
//   [keys]      up, down, left, right, enter, escape, control = key names, comma separated
//   [pad]       the same inputs = pad button names, comma separated
//
// Reading never fails: a bad value or an unknown name gives a warning naming its line and the
// default stays; a line that is not a setting at all (binary garbage, no '=') is warned about
// and dropped. Every line is remembered so that writing the settings back keeps comments,
// unknown names (a newer version's, or a typo the player can still see) and the layout, and
// changes only the values that differ; missing settings are added to their section.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/Settings.h"

namespace tvx {

struct SettingsWarning {
  int line = 0;  // 1-based
  std::string text;
};

// One line of a read file, as rewriting needs it.
struct SettingsLine {
  std::string text;     // as read, without its line break
  int setting = -1;     // index of the known setting it sets, -1 for any other line
  std::string section;  // for a section header: its name
  bool header = false;
  // A good setting's value as it would be written; unset when the value was refused.
  std::optional<std::string> loadedValue;
};

struct SettingsDocument {
  Settings values;
  std::vector<SettingsWarning> warnings;
  std::vector<SettingsLine> lines;
  bool droppedLines = false;  // some line will not be written back as it was
};

// Longest text taken as a settings file; a longer one is not read.
constexpr std::size_t kMaxSettingsText = 64 * 1024;

SettingsDocument ReadSettingsText(std::string_view text);
// The text for `values`, built on the lines of a read file (none for a new one).
std::string WriteSettingsText(const std::vector<SettingsLine>& lines, const Settings& values);

}  // namespace tvx
