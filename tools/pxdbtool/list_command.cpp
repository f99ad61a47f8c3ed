#include <iomanip>

#include "pxdbtool/archive_open.h"
#include "pxdbtool/commands.h"

namespace tvx {

int ListArchive(const std::string& archive, std::ostream& out, std::ostream& err) {
  TPxDb db(nullptr);
  if (!OpenArchiveForReading(db, archive, err)) return 1;
  out << "index  type  origsize  physsize  digest  key\n";
  int bad = 0;
  for (int index = 0; index < db.RecordCount(); ++index) {
    // A copy: every read reloads the table, which invalidates pointers into it.
    const TRecordInfo record = *db.RecordInfo(index);
    TMemoryStream data;
    const bool intact = db.ReadStreamAt(index, data);
    if (!intact) ++bad;
    out << std::left << std::setw(7) << index << std::setw(6) << record.RecordType << std::setw(10)
        << record.OrigSize << std::setw(10) << record.PhysSize << std::setw(8)
        << (intact ? "ok" : "BAD") << record.Key << '\n';
    if (!intact) err << ReadFailureMessage(db, index) << '\n';
  }
  if (bad > 0) {
    err << archive << ": " << bad << " of " << db.RecordCount() << " records do not read back\n";
    return 1;
  }
  return 0;
}

}  // namespace tvx
