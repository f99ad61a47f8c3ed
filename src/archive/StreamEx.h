// Byte streams and little-endian field helpers for the archive format.
//
// `TStream` is the small seekable-stream interface the archive code reads and writes through;
// `TFileStream` puts it over a std::FILE, `TMemoryStreamView` over a TMemoryStream and
// `TByteSpanStream` over bytes held elsewhere. The free
// functions read or write one little-endian field each and report a short read or write as
// false, so every caller can stop at the first field that is not there. Strings are a signed
// 32-bit length followed by that many single-byte characters; the reader takes a limit because
// the length comes from untrusted data.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "core/MemoryStream.h"

namespace tvx {

class TStream {
 public:
  virtual ~TStream() = default;
  // Returns the number of bytes actually transferred.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  // Fails for positions past the end, so an offset read from a file cannot point into nothing.
  virtual bool Seek(std::uint64_t position) = 0;
  virtual std::uint64_t Position() const = 0;
  virtual std::uint64_t Size() const = 0;
  std::uint64_t Remaining() const { return Position() < Size() ? Size() - Position() : 0; }
};

class TFileStream : public TStream {
 public:
  // Opens an existing file for reading. Windows would also deny other writers while it is
  // open; Linux has no such sharing mode, so a concurrent writer is simply not prevented.
  static std::unique_ptr<TFileStream> OpenRead(const std::string& path);
  // Creates the file, replacing an existing one.
  static std::unique_ptr<TFileStream> Create(const std::string& path);

  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  bool Seek(std::uint64_t position) override;
  std::uint64_t Position() const override { return position_; }
  std::uint64_t Size() const override { return size_; }
  // Flushes and closes; false when buffered bytes could not be written.
  bool Close();

 private:
  TFileStream(std::FILE* file, std::uint64_t size, bool reading)
      : file_(file), size_(size), reading_(reading) {}
  std::size_t ReadAt(void* buffer, std::size_t count);

  std::FILE* file_;
  std::uint64_t size_;
  std::uint64_t position_ = 0;
  // A file opened for reading is read by position through a buffer of its own, so that a seek
  // costs nothing and a short read after it one system call: the archive's table is read as
  // one small read per record header, again for every record read.
  bool reading_;
  std::array<std::uint8_t, 4096> buffer_{};
  std::uint64_t bufferStart_ = 0;
  std::size_t bufferLength_ = 0;
};

class TMemoryStreamView : public TStream {
 public:
  explicit TMemoryStreamView(TMemoryStream& memory) : memory_(memory) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  bool Seek(std::uint64_t position) override;
  std::uint64_t Position() const override { return memory_.Position(); }
  std::uint64_t Size() const override { return memory_.Size(); }

 private:
  TMemoryStream& memory_;
};

// Reads bytes someone else owns and keeps alive; writes nothing.
class TByteSpanStream : public TStream {
 public:
  TByteSpanStream(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void*, std::size_t) override { return 0; }
  bool Seek(std::uint64_t position) override;
  std::uint64_t Position() const override { return position_; }
  std::uint64_t Size() const override { return size_; }

 private:
  const std::uint8_t* bytes_;
  std::size_t size_;
  std::size_t position_ = 0;
};

bool ReadExact(TStream& stream, void* buffer, std::size_t count);
bool ReadUInt16(TStream& stream, std::uint16_t& value);
bool ReadInt32(TStream& stream, std::int32_t& value);
bool ReadUInt32(TStream& stream, std::uint32_t& value);
bool ReadDouble(TStream& stream, double& value);
// Fails for a negative length or one above `maxLength`, before anything is allocated.
bool ReadString(TStream& stream, std::string& value, std::size_t maxLength);

bool WriteExact(TStream& stream, const void* buffer, std::size_t count);
bool WriteUInt16(TStream& stream, std::uint16_t value);
bool WriteInt32(TStream& stream, std::int32_t value);
bool WriteUInt32(TStream& stream, std::uint32_t value);
bool WriteDouble(TStream& stream, double value);
// Fails for strings longer than a signed 32-bit length can say.
bool WriteString(TStream& stream, const std::string& value);

}  // namespace tvx
