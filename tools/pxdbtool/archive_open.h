// Opening an archive for the tool's commands, read-only so that a mistyped path is never
// replaced by an empty archive, and describing failed record reads.
#pragma once

#include <ostream>
#include <string>

#include "archive/PxDb.h"

namespace tvx {

bool OpenArchiveForReading(TPxDb& db, const std::string& path, std::ostream& err);
// "record <index> \"<key>\": <cause of the last failed read>".
std::string ReadFailureMessage(const TPxDb& db, int index);

}  // namespace tvx
