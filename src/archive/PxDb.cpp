#include "archive/PxDb.h"

#include <filesystem>

namespace tvx {

namespace {

char FoldAsciiUpper(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Only A-Z fold: bytes outside ASCII compare exactly, whatever the locale.
bool KeysEqual(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAsciiUpper(a[i]) != FoldAsciiUpper(b[i])) return false;
  }
  return true;
}

}  // namespace

TPxDb::TPxDb(TComponent* owner) : TComponent(owner) {}

void TPxDb::SetFileName(const std::string& path) {
  fileName_ = path;
  loaded_ = false;
}

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
    if (KeysEqual(records_[static_cast<std::size_t>(i)].Key, key)) return i;
  }
  return -1;
}

}  // namespace tvx
