// Every loader walks the archive the same way: open it (stopping if that fails), then take
// the records it wants in table order, by key, until one of them asks to stop. The count is
// asked again for every index, as each read reloads the table.
#pragma once

#include <string>

#include "archive/PxDb.h"

namespace tvx {

// `wanted(index)` picks the records; `visit(key)` loads one and answers false to stop the walk.
// False when the archive cannot be opened or a visit stopped the walk.
template <class Wanted, class Visit>
bool WalkRecords(TPxDb& archive, const Wanted& wanted, const Visit& visit) {
  if (!archive.EnsureOpen()) return false;
  for (int i = 0; i < archive.RecordCount(); ++i) {
    if (wanted(i) && !visit(archive.RecordKey(i))) return false;
  }
  return true;
}

}  // namespace tvx
