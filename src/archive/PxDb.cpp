#include "archive/PxDb.h"

#include <filesystem>
#include <utility>

#include "archive/PxDbPrefetch.h"
#include "archive/RecordKey.h"

namespace tvx {

TPxDb::TPxDb(TComponent* owner) : TComponent(owner) {}

TPxDb::~TPxDb() = default;

void TPxDb::SetFileName(const std::string& path) {
  DropPrefetch();
  fileName_ = path;
  loaded_ = false;
}

void TPxDb::Prefetch(TDamageReport onDamage) {
  DropPrefetch();
  prefetch_ = std::make_unique<TPxDbPrefetch>(fileName_, std::move(onDamage));
}

void TPxDb::DropPrefetch() { prefetch_.reset(); }

bool TPxDb::EnsureOpen() { return loaded_ || Open(); }

bool TPxDb::Open() {
  bool opened = false;
  switch (OpenMode) {
    case TOpenModes::opUpdate: {
      std::error_code error;
      opened = std::filesystem::exists(fileName_, error) ? LoadTable(nullptr) : CreateEmpty();
      break;
    }
    case TOpenModes::opOverwrite:
      opened = CreateEmpty();
      break;
    case TOpenModes::opReadOnly:
      opened = LoadTable(nullptr);
      break;
  }
  loaded_ = opened;
  return opened;
}

int TPxDb::RecordCount() const { return static_cast<int>(records_.size()); }

const TRecordInfo* TPxDb::RecordInfo(int index) const {
  if (index < 0 || index >= RecordCount()) return nullptr;
  return &records_[static_cast<std::size_t>(index)];
}

int TPxDb::RecordType(int index) const {
  const TRecordInfo* record = RecordInfo(index);
  return record != nullptr ? record->RecordType : 0;
}

std::string TPxDb::RecordKey(int index) const {
  const TRecordInfo* record = RecordInfo(index);
  return record != nullptr ? record->Key : "[invalid-record-#]";
}

int TPxDb::FindRecord(const std::string& key) const {
  for (int i = 0; i < RecordCount(); ++i) {
    if (RecordKeysEqual(records_[static_cast<std::size_t>(i)].Key, key)) return i;
  }
  return -1;
}

}  // namespace tvx
