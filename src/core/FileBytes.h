// Whole-file reads and writes with the error text a user can act on. Every file the program
// reads is opened through OpenRegularFile, so that a FIFO, a device or a folder where a file
// belongs is refused at once instead of blocking the game.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tvx {

enum class FileRead { Read, Missing, Failed };

// A regular file opened, or why not: `fd` is -1 on failure, `cause` the open's errno (0 when
// something other than a regular file is there) and `reason` says it in words ("no such
// file", "not a regular file" or the system's reason).
struct RegularFile {
  int fd = -1;
  std::uint64_t size = 0;
  int cause = 0;
  std::string reason;
};

// `path` opened with `flags` (O_RDONLY, O_WRONLY | O_CREAT, ...; a created file gets mode
// 0644). The open itself does not wait (O_NONBLOCK) and anything but a regular file is
// refused after fstat; the descriptor returned blocks as usual and is the caller's to close.
RegularFile OpenRegularFile(const std::string& path, int flags);

// The whole regular file, refused when above `maxSize` bytes; `reason` says why it failed.
FileRead ReadRegularFile(const std::string& path, std::size_t maxSize, std::string& bytes,
                         std::string& reason);

// Fails for missing or non-regular files and files above `maxSize` bytes; `error` names the
// file.
bool ReadFileBytes(const std::filesystem::path& path, std::size_t maxSize,
                   std::vector<std::uint8_t>& bytes, std::string& error);
// The whole file, empty when it cannot be read; for files the caller wrote itself.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);
// Creates missing parent folders and replaces an existing file.
bool WriteFileBytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size,
                    std::string& error);

// Replaces `path` so that a crash at any moment leaves either the old or the new file: the
// bytes go to `temporary` in the same folder, which is synced, renamed over `path`, and then
// the folder is synced. On failure `reason` is the system's reason and `temporary` is gone.
bool ReplaceFileDurably(const std::string& path, const std::string& temporary,
                        std::string_view bytes, std::string& reason);
// Where a damaged file is set aside: `fileName`.damaged, or .damaged.1, .damaged.2, ... when
// earlier ones exist, so that no damaged file replaces another.
std::string DamagedFileName(const std::string& fileName);

}  // namespace tvx
