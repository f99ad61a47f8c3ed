// Whole-file reads and writes for the tools and the tests, with the error text a user can act
// on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tvx {

// Fails for missing or non-regular files and files above `maxSize` bytes.
bool ReadFileBytes(const std::filesystem::path& path, std::size_t maxSize,
                   std::vector<std::uint8_t>& bytes, std::string& error);
// The whole file, empty when it cannot be read; for files the caller wrote itself.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);
// Creates missing parent folders and replaces an existing file.
bool WriteFileBytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size,
                    std::string& error);

}  // namespace tvx
