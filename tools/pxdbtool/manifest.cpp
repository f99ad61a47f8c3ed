#include "pxdbtool/manifest.h"

#include <charconv>
#include <map>

#include "archive/RecordKey.h"
#include "pxdbtool/record_path.h"

namespace tvx {

namespace {

bool ParseLine(const std::string& text, TManifestEntry& entry, std::string& reason) {
  const std::size_t space = text.find(' ');
  if (space == std::string::npos || space == 0) {
    reason = "expected \"<type> <key>\"";
    return false;
  }
  unsigned value = 0;
  const char* first = text.data();
  const char* last = text.data() + space;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || value > 0xFFFF) {
    reason = "record type must be a number from 0 to 65535";
    return false;
  }
  entry.recordType = static_cast<std::uint16_t>(value);
  entry.key = text.substr(space + 1);
  return IsSafeRecordPath(entry.key, reason);
}

}  // namespace

bool ParseManifest(std::istream& in, std::vector<TManifestEntry>& entries,
                   std::vector<std::string>& errors) {
  const std::size_t errorsBefore = errors.size();
  std::map<std::string, int> firstLineOfKey;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty() || text.front() == '#') continue;
    TManifestEntry entry;
    entry.line = line;
    std::string reason;
    if (!ParseLine(text, entry, reason)) {
      errors.push_back("line " + std::to_string(line) + ": " + reason);
      continue;
    }
    const auto [seen, inserted] = firstLineOfKey.emplace(FoldRecordKey(entry.key), line);
    if (!inserted) {
      errors.push_back("line " + std::to_string(line) + ": key \"" + entry.key +
                       "\" repeats line " + std::to_string(seen->second) +
                       " (letter case is ignored in lookups)");
      continue;
    }
    entries.push_back(std::move(entry));
  }
  return errors.size() == errorsBefore;
}

std::string ManifestLine(std::uint16_t recordType, const std::string& key) {
  return std::to_string(recordType) + " " + key;
}

}  // namespace tvx
