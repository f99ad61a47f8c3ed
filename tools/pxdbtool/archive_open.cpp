#include "pxdbtool/archive_open.h"

namespace tvx {

bool OpenArchiveForReading(TPxDb& db, const std::string& path, std::ostream& err) {
  db.SetFileName(path);
  db.OpenMode = TOpenModes::opReadOnly;
  if (db.Open()) return true;
  err << path << ": not a readable archive (missing file, short header or damaged table)\n";
  return false;
}

std::string ReadFailureMessage(const TPxDb& db, int index) {
  return "record " + std::to_string(index) + " \"" + db.RecordKey(index) +
         "\": " + ReadStatusText(db.LastReadStatus());
}

}  // namespace tvx
