// The pack manifest: one record per line, "<type> <key>", in table order. The type is a
// decimal number 0..65535, one space separates it from the key, and the key is the rest of
// the line (spaces included). Blank lines and lines starting with '#' are skipped; a trailing
// CR is dropped so that files edited on Windows work.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace tvx {

struct TManifestEntry {
  std::uint16_t recordType = 0;
  std::string key;
  int line = 0;
};

// Reads every entry; each bad line adds one "line N: reason" message to `errors`. Keys must
// be safe record paths and unique with ASCII letters folded, as the game looks them up so.
bool ParseManifest(std::istream& in, std::vector<TManifestEntry>& entries,
                   std::vector<std::string>& errors);

std::string ManifestLine(std::uint16_t recordType, const std::string& key);

}  // namespace tvx
