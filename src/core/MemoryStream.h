// A growable byte buffer with a read/write position, the common currency between the
// archive, which fills it, and the loaders, which parse it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tvx {

class TMemoryStream {
 public:
  std::size_t Size() const { return data_.size(); }
  std::size_t Position() const { return position_; }
  // Positions past the end are allowed; a read there yields nothing, a write pads with zeros.
  void Seek(std::size_t position) { position_ = position; }
  const std::uint8_t* Memory() const { return data_.data(); }
  std::uint8_t* Memory() { return data_.data(); }

  // Copies up to `count` bytes at the position and advances; returns the bytes copied.
  std::size_t Read(void* buffer, std::size_t count);
  // Writes at the position (growing the buffer) and advances; returns the bytes written.
  std::size_t Write(const void* buffer, std::size_t count);
  // Write of a whole buffer; an empty stream takes the buffer itself instead of a copy.
  std::size_t Write(std::vector<std::uint8_t>&& bytes);
  // Reads exactly `count` bytes or nothing.
  bool ReadExact(void* buffer, std::size_t count);
  std::size_t Remaining() const { return position_ < data_.size() ? data_.size() - position_ : 0; }

  void Clear() {
    data_.clear();
    position_ = 0;
  }
  const std::vector<std::uint8_t>& Bytes() const { return data_; }

 private:
  std::vector<std::uint8_t> data_;
  std::size_t position_ = 0;
};

}  // namespace tvx
