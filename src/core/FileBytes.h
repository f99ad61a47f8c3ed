// Whole-file reads and writes for the tool, with the error text a user can act on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tvx {

// Fails for missing or non-regular files and files above `maxSize` bytes.
bool ReadFileBytes(const std::filesystem::path& path, std::size_t maxSize,
                   std::vector<std::uint8_t>& bytes, std::string& error);
// Creates missing parent folders and replaces an existing file.
bool WriteFileBytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size,
                    std::string& error);

}  // namespace tvx
