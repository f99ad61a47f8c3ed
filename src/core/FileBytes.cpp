#include "core/FileBytes.h"

#include <fstream>
#include <iterator>

namespace tvx {

bool ReadFileBytes(const std::filesystem::path& path, std::size_t maxSize,
                   std::vector<std::uint8_t>& bytes, std::string& error) {
  std::error_code code;
  if (!std::filesystem::is_regular_file(path, code)) {
    error = path.string() + ": no such file";
    return false;
  }
  const std::uintmax_t size = std::filesystem::file_size(path, code);
  if (code || size > maxSize) {
    error = path.string() + ": larger than " + std::to_string(maxSize) + " bytes";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  bytes.resize(static_cast<std::size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
    error = path.string() + ": cannot read";
    return false;
  }
  return true;
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteFileBytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size,
                    std::string& error) {
  std::error_code code;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), code);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  if (!out) {
    error = path.string() + ": cannot write";
    return false;
  }
  return true;
}

}  // namespace tvx
