// A fresh folder under the system's temporary folder, removed with its contents at the end:
// where tests, benchmarks and the screen tool put the files they make.
#pragma once

#include <string>

namespace tvx {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // With a trailing separator.
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

}  // namespace tvx
