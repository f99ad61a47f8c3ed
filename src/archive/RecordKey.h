// How record keys compare: the ASCII letters A-Z fold to a-z, every other byte compares
// exactly, whatever the locale.
#pragma once

#include <string>

namespace tvx {

std::string FoldRecordKey(std::string key);
bool RecordKeysEqual(const std::string& a, const std::string& b);

}  // namespace tvx
