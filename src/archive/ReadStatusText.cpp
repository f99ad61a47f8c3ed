#include "archive/PxDb.h"

namespace tvx {

const char* ReadStatusText(TReadStatus status) {
  switch (status) {
    case TReadStatus::rsOk:
      return "ok";
    case TReadStatus::rsFileError:
      return "the archive cannot be opened";
    case TReadStatus::rsTableError:
      return "the record table or a record header is damaged";
    case TReadStatus::rsKeyNotFound:
      return "no such record";
    case TReadStatus::rsStoredBytesShort:
      return "the stored bytes run past the end of the file";
    case TReadStatus::rsTooLarge:
      return "OrigSize is larger than the stored bytes or the size limit allow";
    case TReadStatus::rsInflateError:
      return "the stored bytes are not a zlib stream of exactly OrigSize bytes";
    case TReadStatus::rsDigestMismatch:
      return "MD5 digest mismatch";
    case TReadStatus::rsWriteError:
      return "out of memory";
  }
  return "unknown failure";
}

}  // namespace tvx
