// Record keys as file paths below a folder. Extracting and packing name files after keys, so
// a key may only name a path that stays inside the folder: relative, '/'-separated, with no
// empty, "." or ".." component, no backslash and no NUL byte.
#pragma once

#include <string>

namespace tvx {

// The manifest's own name in a packed or extracted folder; no record may take it.
inline constexpr const char* kManifestName = "manifest.txt";

// False with the reason when `key` cannot safely name a file below a folder.
bool IsSafeRecordPath(const std::string& key, std::string& reason);

}  // namespace tvx
