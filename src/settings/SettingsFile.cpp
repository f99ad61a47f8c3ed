#include "settings/SettingsFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace tvx {

namespace {

std::string EnvironmentFolder(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

enum class ReadResult { Read, Missing, Failed };

// The file's text, at most kMaxSettingsText bytes; a larger file is refused as a whole.
ReadResult ReadText(const std::string& path, std::string& text, std::string& problem) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    if (errno == ENOENT) return ReadResult::Missing;
    problem = std::strerror(errno);
    return ReadResult::Failed;
  }
  text.resize(kMaxSettingsText + 1);
  const std::size_t got = std::fread(text.data(), 1, text.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  text.resize(got);
  if (failed) {
    problem = "read error";
    return ReadResult::Failed;
  }
  if (got > kMaxSettingsText) {
    problem = "larger than " + std::to_string(kMaxSettingsText / 1024) + " KiB";
    return ReadResult::Failed;
  }
  return ReadResult::Read;
}

bool WriteWhole(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  ok = std::fflush(file) == 0 && ok;
  ok = fsync(fileno(file)) == 0 && ok;
  return std::fclose(file) == 0 && ok;
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
  std::string text;
  std::string problem;
  switch (ReadText(path_, text, problem)) {
    case ReadResult::Missing:
      return remembered_ = Settings{};
    case ReadResult::Failed:
      warnings.push_back(path_ + ": cannot be read (" + problem +
                         "); the defaults are used and the file is left as it is");
      writable_ = false;
      return remembered_ = Settings{};
    case ReadResult::Read:
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
  if (!damagedText_.empty()) {
    if (!WriteWhole(path_ + ".damaged", damagedText_)) {
      error = "cannot keep the damaged " + path_ + " aside; not written over";
      return false;
    }
    damagedText_.clear();
  }
  const std::string temporary = path_ + ".tmp" + std::to_string(getpid());
  if (!WriteWhole(temporary, text)) {
    std::remove(temporary.c_str());
    error = "cannot write " + temporary + " (" + std::strerror(errno) + ")";
    return false;
  }
  std::filesystem::rename(temporary, path, code);
  if (code) {
    std::remove(temporary.c_str());
    error = "cannot replace " + path_ + " (" + code.message() + ")";
    return false;
  }
  return true;
}

}  // namespace tvx
