#include "core/TempFolder.h"

#include <filesystem>
#include <random>
#include <system_error>

namespace tvx {

TempFolder::TempFolder() {
  std::random_device seed;
  const auto base = std::filesystem::temp_directory_path();
  std::filesystem::path folder;
  do {
    folder = base / ("tarvex-test-" + std::to_string(seed()));
  } while (!std::filesystem::create_directory(folder));
  path_ = folder.string() + "/";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace tvx
