#include "archive/StreamEx.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/FileBytes.h"

namespace tvx {

namespace {

// Little-endian encoding independent of the host's byte order.
template <class T>
bool ReadLittleEndian(TStream& stream, T& value) {
  std::uint8_t bytes[sizeof(T)];
  if (!ReadExact(stream, bytes, sizeof(T))) return false;
  T result = 0;
  for (std::size_t i = sizeof(T); i-- > 0;) result = static_cast<T>((result << 8) | bytes[i]);
  value = result;
  return true;
}

template <class T>
bool WriteLittleEndian(TStream& stream, T value) {
  std::uint8_t bytes[sizeof(T)];
  for (std::size_t i = 0; i < sizeof(T); ++i)
    bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  return WriteExact(stream, bytes, sizeof(T));
}

}  // namespace

std::unique_ptr<TFileStream> TFileStream::OpenRead(const std::string& path) {
  const RegularFile opened = OpenRegularFile(path, O_RDONLY);
  if (opened.fd < 0) return nullptr;
  std::FILE* file = fdopen(opened.fd, "rb");
  if (file == nullptr) {
    close(opened.fd);
    return nullptr;
  }
  return std::unique_ptr<TFileStream>(new TFileStream(file, opened.size, true));
}

std::unique_ptr<TFileStream> TFileStream::Create(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return nullptr;
  return std::unique_ptr<TFileStream>(new TFileStream(file, 0, false));
}

TFileStream::~TFileStream() { Close(); }

bool TFileStream::Close() {
  if (file_ == nullptr) return true;
  const bool ok = std::fclose(file_) == 0;
  file_ = nullptr;
  return ok;
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  if (file_ == nullptr || count == 0) return 0;
  const std::size_t n = reading_ ? ReadAt(buffer, count) : std::fread(buffer, 1, count, file_);
  position_ += n;
  return n;
}

std::size_t TFileStream::ReadAt(void* buffer, std::size_t count) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const std::uint64_t at = position_ + done;
    if (at >= bufferStart_ && at < bufferStart_ + bufferLength_) {
      const std::size_t offset = static_cast<std::size_t>(at - bufferStart_);
      const std::size_t n = std::min(count - done, bufferLength_ - offset);
      std::memcpy(out + done, buffer_.data() + offset, n);
      done += n;
      continue;
    }
    // Large reads go straight to the caller; small ones fill the buffer first.
    const bool direct = count - done >= buffer_.size();
    const ssize_t got = pread(fileno(file_), direct ? out + done : buffer_.data(),
                              direct ? count - done : buffer_.size(), static_cast<off_t>(at));
    if (got <= 0) break;
    if (direct) {
      done += static_cast<std::size_t>(got);
    } else {
      bufferStart_ = at;
      bufferLength_ = static_cast<std::size_t>(got);
    }
  }
  return done;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
  if (file_ == nullptr || count == 0) return 0;
  const std::size_t n = std::fwrite(buffer, 1, count, file_);
  position_ += n;
  if (position_ > size_) size_ = position_;
  return n;
}

bool TFileStream::Seek(std::uint64_t position) {
  if (file_ == nullptr || position > size_) return false;
  if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) return false;
  if (reading_) {
    position_ = position;
    return true;
  }
  if (fseeko(file_, static_cast<off_t>(position), SEEK_SET) != 0) return false;
  position_ = position;
  return true;
}

std::size_t TMemoryStreamView::Read(void* buffer, std::size_t count) {
  return memory_.Read(buffer, count);
}

std::size_t TMemoryStreamView::Write(const void* buffer, std::size_t count) {
  return memory_.Write(buffer, count);
}

bool TMemoryStreamView::Seek(std::uint64_t position) {
  if (position > memory_.Size()) return false;
  memory_.Seek(static_cast<std::size_t>(position));
  return true;
}

std::size_t TByteSpanStream::Read(void* buffer, std::size_t count) {
  const std::size_t n = std::min(count, size_ - position_);
  if (n > 0) std::memcpy(buffer, bytes_ + position_, n);
  position_ += n;
  return n;
}

bool TByteSpanStream::Seek(std::uint64_t position) {
  if (position > size_) return false;
  position_ = static_cast<std::size_t>(position);
  return true;
}

bool ReadExact(TStream& stream, void* buffer, std::size_t count) {
  return stream.Read(buffer, count) == count;
}

bool ReadUInt16(TStream& stream, std::uint16_t& value) { return ReadLittleEndian(stream, value); }

bool ReadUInt32(TStream& stream, std::uint32_t& value) { return ReadLittleEndian(stream, value); }

bool ReadInt32(TStream& stream, std::int32_t& value) {
  std::uint32_t bits = 0;
  if (!ReadLittleEndian(stream, bits)) return false;
  value = static_cast<std::int32_t>(bits);
  return true;
}

bool ReadDouble(TStream& stream, double& value) {
  std::uint64_t bits = 0;
  if (!ReadLittleEndian(stream, bits)) return false;
  std::memcpy(&value, &bits, sizeof value);
  return true;
}

bool ReadString(TStream& stream, std::string& value, std::size_t maxLength) {
  std::int32_t length = 0;
  if (!ReadInt32(stream, length)) return false;
  if (length < 0 || static_cast<std::uint64_t>(length) > maxLength) return false;
  std::string text(static_cast<std::size_t>(length), '\0');
  if (!ReadExact(stream, text.data(), text.size())) return false;
  value = std::move(text);
  return true;
}

bool WriteExact(TStream& stream, const void* buffer, std::size_t count) {
  return count == 0 || stream.Write(buffer, count) == count;
}

bool WriteUInt16(TStream& stream, std::uint16_t value) { return WriteLittleEndian(stream, value); }

bool WriteUInt32(TStream& stream, std::uint32_t value) { return WriteLittleEndian(stream, value); }

bool WriteInt32(TStream& stream, std::int32_t value) {
  return WriteLittleEndian(stream, static_cast<std::uint32_t>(value));
}

bool WriteDouble(TStream& stream, double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return WriteLittleEndian(stream, bits);
}

bool WriteString(TStream& stream, const std::string& value) {
  if (value.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    return false;
  return WriteInt32(stream, static_cast<std::int32_t>(value.size())) &&
         WriteExact(stream, value.data(), value.size());
}

}  // namespace tvx
