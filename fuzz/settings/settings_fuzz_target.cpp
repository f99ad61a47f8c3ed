// Fuzz target for the settings file text: whatever is read must write back to a text that
// reads without warnings to the same values, and writing that again changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/SettingsText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const tvx::SettingsDocument read = tvx::ReadSettingsText(text);
  const std::string written = tvx::WriteSettingsText(read.lines, read.values);
  const tvx::SettingsDocument again = tvx::ReadSettingsText(written);
  if (!(again.values == read.values) || again.droppedLines) std::abort();
  // Only unknown names may still warn; they are kept as written.
  for (const tvx::SettingsWarning& warning : again.warnings) {
    if (warning.text.find("unknown setting") == std::string::npos) std::abort();
  }
  if (tvx::WriteSettingsText(again.lines, again.values) != written) std::abort();
  return 0;
}
