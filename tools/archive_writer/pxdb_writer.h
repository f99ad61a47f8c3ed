// PxDbWriter: builds a PxDb archive in memory, for the asset builder, tools and tests.
//
// Records are written in the order added, each as its 44-byte header (type, sizes, Stamp 0.0,
// MD5 digest of the data, Enciphered 0, zero InitVector) followed by the data as one zlib
// stream at level 9; the record table follows the last record. The same records always give
// the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tvx {

class PxDbWriter {
 public:
  // Records are written in the order added: each one zlib stream at level 9, its MD5 digest,
  // Enciphered 0, Stamp 0.0.
  void Add(std::string key, std::uint16_t recordType, std::vector<std::uint8_t> data);
  // The whole archive file; empty if a size or offset would not fit in 32 bits.
  std::vector<std::uint8_t> ToBytes() const;
  bool WriteFile(const std::string& path, std::string& error) const;  // false + message on failure
  std::size_t Count() const { return records_.size(); }

 private:
  struct Record {
    std::string key;
    std::uint16_t recordType;
    std::vector<std::uint8_t> data;
  };
  std::vector<Record> records_;
};

}  // namespace tvx
