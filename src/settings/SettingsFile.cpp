#include "settings/SettingsFile.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>

#include "core/FileBytes.h"

namespace tvx {

namespace {

std::string EnvironmentFolder(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

// Where a write goes before it replaces the file: named after the writing process, so that
// two copies never write the same temporary file.
std::string TemporaryName(const std::string& path, pid_t process) {
  return path + ".tmp" + std::to_string(process);
}

// Temporary files that a copy killed while writing left beside the file.
void ClearLeftTemporaries(const std::string& path) {
  const std::filesystem::path file(path);
  const std::string prefix = file.filename().string() + ".tmp";
  std::error_code code;
  for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), code)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(prefix)) continue;
    int process = 0;
    const char* digits = name.c_str() + prefix.size();
    const auto [end, error] = std::from_chars(digits, name.c_str() + name.size(), process);
    if (error != std::errc() || *end != '\0' || process <= 0) continue;
    if (kill(process, 0) != 0 && errno == ESRCH) unlink(entry.path().c_str());
  }
}

}  // namespace

std::string DefaultSettingsPath() {
  std::string folder = EnvironmentFolder("XDG_CONFIG_HOME");
  if (folder.empty()) {
    const std::string home = EnvironmentFolder("HOME");
    if (home.empty()) return {};
    folder = home + "/.config";
  }
  return folder + "/tarvex/settings.ini";
}

Settings SettingsFile::Load(std::vector<std::string>& warnings) {
  if (!path_.empty()) ClearLeftTemporaries(path_);
  std::string text;
  std::string problem;
  switch (ReadRegularFile(path_, kMaxSettingsText, text, problem)) {
    case FileRead::Missing:
      return remembered_ = Settings{};
    case FileRead::Failed:
      warnings.push_back(path_ + ": cannot be read (" + problem +
                         "); the defaults are used and the file is left as it is");
      writable_ = false;
      return remembered_ = Settings{};
    case FileRead::Read:
      break;
  }
  SettingsDocument document = ReadSettingsText(text);
  for (const SettingsWarning& warning : document.warnings) {
    warnings.push_back(path_ + ":" + std::to_string(warning.line) + ": " + warning.text);
  }
  if (document.droppedLines) damagedText_ = std::move(text);
  lines_ = std::move(document.lines);
  return remembered_ = document.values;
}

bool SettingsFile::Remember(const Settings& values, std::string& error) {
  if (values == remembered_) return true;
  if (Store(values, error)) return true;
  if (failureNotice_) failureNotice_(error);
  return false;
}

bool SettingsFile::Store(const Settings& values, std::string& error) {
  if (!writable_) {
    error = path_ + " was not readable, so it is not written over";
    return false;
  }
  if (path_.empty()) {
    error = "no folder for the settings (HOME is not set)";
    return false;
  }
  const std::string text = WriteSettingsText(lines_, values);
  if (!Write(text, error)) return false;
  remembered_ = values;
  // The lines of the written text: a second change keeps the layout of the first write.
  lines_ = ReadSettingsText(text).lines;
  return true;
}

bool SettingsFile::Write(const std::string& text, std::string& error) {
  std::error_code code;
  const std::filesystem::path path(path_);
  std::filesystem::create_directories(path.parent_path(), code);
  const std::string temporary = TemporaryName(path_, getpid());
  std::string reason;
  if (!damagedText_.empty()) {
    const std::string aside = DamagedFileName(path_);
    if (!ReplaceFileDurably(aside, temporary, damagedText_, reason)) {
      error = "cannot keep the damaged " + path_ + " aside as " + aside + " (" + reason +
              "); not written over";
      return false;
    }
    damagedText_.clear();
  }
  if (!ReplaceFileDurably(path_, temporary, text, reason)) {
    error = "cannot write " + path_ + " (" + reason + ")";
    return false;
  }
  return true;
}

}  // namespace tvx
