#include "core/MemoryStream.h"

#include <cstring>
#include <utility>

namespace tvx {

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  const std::size_t n = count < Remaining() ? count : Remaining();
  if (n > 0) std::memcpy(buffer, data_.data() + position_, n);
  position_ += n;
  return n;
}

bool TMemoryStream::ReadExact(void* buffer, std::size_t count) {
  if (Remaining() < count) return false;
  Read(buffer, count);
  return true;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return 0;
  if (position_ + count > data_.size()) data_.resize(position_ + count);
  std::memcpy(data_.data() + position_, buffer, count);
  position_ += count;
  return count;
}

std::size_t TMemoryStream::Write(std::vector<std::uint8_t>&& bytes) {
  if (!data_.empty() || position_ != 0) return Write(bytes.data(), bytes.size());
  data_ = std::move(bytes);
  position_ = data_.size();
  return data_.size();
}

}  // namespace tvx
