// One row per remembered setting: where it lives in the INI file, how its text is read and
// written, and what a good value looks like (for warnings). Reading and writing the file, the
// round trip test and the README all follow this table.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/Settings.h"

namespace tvx {

struct SettingRow {
  std::string_view section;
  std::string_view name;
  std::string_view expected;  // e.g. "0 to 100", for the warning on a bad value
  // Sets the value from `text`; false (value unchanged) when `text` is refused. May accept
  // part of a list and name the refused parts in `problems`.
  bool (*parse)(Settings& settings, std::string_view text, std::vector<std::string>& problems);
  std::string (*format)(const Settings& settings);
};

std::span<const SettingRow> SettingRows();

}  // namespace tvx
