// Fuzz target for the replay file: a refused file gets a message with no control character
// in it; an accepted one has a header that writes back to the same ranking, and every entry
// read back from it writes as a line that reads as the same entry.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/replay/ReplayScript.h"

namespace {

bool HasControlCharacter(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) return true;
  }
  return false;
}

bool SameEntry(const tvx::replay::Entry& a, const tvx::replay::Entry& b) {
  return a.kind == b.kind && a.a == b.a && a.b == b.b && a.keys == b.keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tvx::replay;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const std::optional<ReplayScript> script = ParseReplay(text, "fuzz", error);
  if (!script) {
    if (error.empty() || HasControlCharacter(error)) std::abort();
    return 0;
  }
  std::string headerError;
  const std::optional<ReplayScript> header =
      ParseReplay(FormatHeader(script->ranking), "fuzz", headerError);
  if (!header || header->ranking != script->ranking) std::abort();
  std::size_t offset = 0;
  std::uint32_t line = script->firstLine;
  Entry entry;
  while (ReadEntryAt(*script, offset, line, entry)) {
    std::string formatted;
    FormatEntry(entry, formatted);
    Entry again;
    std::string entryError;
    if (!ParseEntry(formatted, again, entryError) || !SameEntry(entry, again)) std::abort();
  }
  return 0;
}
