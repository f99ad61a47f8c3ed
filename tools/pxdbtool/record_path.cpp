#include "pxdbtool/record_path.h"

namespace tvx {

bool IsSafeRecordPath(const std::string& key, std::string& reason) {
  if (key.empty()) {
    reason = "empty key";
    return false;
  }
  if (key.find('\0') != std::string::npos) {
    reason = "key contains a NUL byte";
    return false;
  }
  // Rejected so that a folder built here cannot escape when unpacked on Windows either.
  if (key.find('\\') != std::string::npos) {
    reason = "key contains a backslash";
    return false;
  }
  if (key.front() == '/') {
    reason = "key is an absolute path";
    return false;
  }
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = key.find('/', start);
    const std::string part = key.substr(start, end == std::string::npos ? end : end - start);
    if (part.empty() || part == "." || part == "..") {
      reason = "key has an empty, \".\" or \"..\" path component";
      return false;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (key == kManifestName) {
    reason = std::string("key is the manifest's name, ") + kManifestName;
    return false;
  }
  return true;
}

}  // namespace tvx
