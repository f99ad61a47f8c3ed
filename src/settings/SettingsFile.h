// The settings file on disk, $XDG_CONFIG_HOME/tarvex/settings.ini (~/.config/tarvex/ when
// XDG_CONFIG_HOME is unset or not absolute). Load never fails: a missing file gives the
// defaults; a damaged one gives warnings and whatever it holds that is good; one that cannot
// be read (or is no regular file) gives the defaults and is never written over, so nothing in
// it is lost. Remember writes atomically and durably (a synced temporary file renamed over the
// old one) only when a value changed; before the first write over a file with dropped lines,
// its old text is kept beside it as settings.ini.damaged (then .damaged.1, ...). Load clears
// the temporary files of copies killed while they wrote.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "settings/SettingsText.h"

namespace tvx {

// Empty when neither XDG_CONFIG_HOME nor HOME names a folder.
std::string DefaultSettingsPath();

class SettingsFile {
 public:
  explicit SettingsFile(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }
  // Reads the file; `warnings` gets one line per problem, "<path>:<line>: <what>".
  Settings Load(std::vector<std::string>& warnings);
  // Writes `values` when they differ from what was loaded or last written; false with
  // `error` set when the file could not (or must not) be written, and the failure notice
  // told.
  bool Remember(const Settings& values, std::string& error);
  // Told the error of every failed write, for the player's screen.
  void SetFailureNotice(std::function<void(const std::string&)> notice) {
    failureNotice_ = std::move(notice);
  }
  const Settings& Remembered() const { return remembered_; }

 private:
  bool Store(const Settings& values, std::string& error);
  bool Write(const std::string& text, std::string& error);

  std::string path_;
  Settings remembered_;
  std::vector<SettingsLine> lines_;
  bool writable_ = true;     // false once a file was there but could not be read
  std::string damagedText_;  // the text to keep aside before the first rewrite; empty: none
  std::function<void(const std::string&)> failureNotice_;
};

}  // namespace tvx
