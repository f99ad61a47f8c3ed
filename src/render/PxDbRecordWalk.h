// Both the image list and the font list load every record of their type the same way: each
// record is offered to the list's OnPxDbLoad handler, which may refuse it or change its
// name, quality and alpha level, and the accepted ones are loaded in table order until one
// fails. Loading one record by key starts the same way for both as well.
#pragma once

#include <cstdint>
#include <string>

#include "archive/PxDb.h"
#include "archive/RecordWalk.h"
#include "render/PxDef.h"

namespace tvx {

// `offer(key, accept, name, quality, alphaLevel)` runs the list's handler; `load(key, name,
// quality, alphaLevel)` loads an accepted record and answers false to stop the walk.
template <class Offer, class Load>
bool LoadRecordsOfType(TPxDb& archive, std::int32_t recordType, const Offer& offer,
                       const Load& load) {
  return WalkRecords(
      archive, [&](int index) { return archive.RecordType(index) == recordType; },
      [&](const std::string& key) {
        bool accept = true;
        std::string name = key;
        TPxQuality quality = TPxQuality::pqHigh;
        TAlphaLevel alphaLevel = TAlphaLevel::alFull;
        offer(key, accept, name, quality, alphaLevel);
        return !accept || load(key, name, quality, alphaLevel);
      });
}

// Reads the record `key` of type `recordType` into `stream` (at its start) and its stored
// bytes into `stored`; false when the archive cannot be opened or has no such record.
inline bool ReadRecordOfType(TPxDb& archive, const std::string& key, std::int32_t recordType,
                             TMemoryStream& stream, TStoredRecord& stored) {
  if (!archive.EnsureOpen()) return false;
  const int index = archive.FindRecord(key);
  if (index < 0 || archive.RecordType(index) != recordType) return false;
  if (!archive.ReadStream(key, stream, stored)) return false;
  stream.Seek(0);
  return true;
}

}  // namespace tvx
