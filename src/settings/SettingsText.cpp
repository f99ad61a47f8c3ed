#include "settings/SettingsText.h"

#include <ini.h>

#include <cstring>

#include "settings/SettingsTable.h"

namespace tvx {

namespace {

// inih hands its handler no line numbers in Debian's build, so the text is fed to it one line
// at a time through a reader that counts; the handler then knows the line it is called for.
struct Reading {
  std::string_view text;
  std::size_t position = 0;
  int lineNumber = 0;
  bool handled = false;        // the handler was called for the current line
  bool expectSetting = false;  // the current line is neither blank, comment nor section
  bool dropped = false;        // the current line was refused before inih saw it
  SettingsLine current;
  SettingsDocument document;
};

std::string_view TrimLeft(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  return first == text.npos ? std::string_view() : text.substr(first);
}

// Text a settings line may hold: UTF-8 without control characters other than tab, and no
// byte-order mark (which is only skipped at the very start of the file).
bool IsTextLine(std::string_view line) {
  if (line.find("\xEF\xBB\xBF") != line.npos) return false;
  std::size_t i = 0;
  while (i < line.size()) {
    const auto byte = static_cast<unsigned char>(line[i]);
    if (byte < 0x80) {
      if ((byte < 0x20 && byte != '\t') || byte == 0x7F) return false;
      ++i;
      continue;
    }
    const int continuation = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC2 ? 1 : -1;
    if (continuation < 0 || byte > 0xF4 ||
        i + static_cast<std::size_t>(continuation) >= line.size())
      return false;
    for (int k = 1; k <= continuation; ++k) {
      if ((static_cast<unsigned char>(line[i + k]) & 0xC0) != 0x80) return false;
    }
    i += static_cast<std::size_t>(continuation) + 1;
  }
  return true;
}

void Warn(Reading& r, std::string text) {
  r.document.warnings.push_back({r.lineNumber, std::move(text)});
}

// Files the line just finished by inih: kept for rewriting unless it was no setting at all.
void FinishLine(Reading& r) {
  if (r.lineNumber == 0 || r.dropped) return;
  if (r.expectSetting && !r.handled) {
    Warn(r, "not a setting (name = value expected); ignored");
    r.document.droppedLines = true;
    return;
  }
  r.document.lines.push_back(std::move(r.current));
}

char* ReadLine(char* buffer, int size, void* stream) {
  Reading& r = *static_cast<Reading*>(stream);
  FinishLine(r);
  if (r.position >= r.text.size()) return nullptr;
  std::size_t end = r.text.find('\n', r.position);
  if (end == r.text.npos) end = r.text.size();
  std::string_view line = r.text.substr(r.position, end - r.position);
  r.position = end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  ++r.lineNumber;
  r.handled = false;
  r.dropped = false;
  r.current = SettingsLine{};
  r.current.text = std::string(line);

  const std::string_view body = TrimLeft(line);
  const bool blankOrComment = body.empty() || body[0] == ';' || body[0] == '#';
  const bool header = !body.empty() && body[0] == '[' && body.find(']') != body.npos;
  r.expectSetting = !blankOrComment && !header;
  // A line too long for inih's buffer, or not text, reaches inih as an empty line.
  std::string_view fed = line;
  if (line.size() + 2 >= static_cast<std::size_t>(size)) {
    Warn(r, "line too long; ignored");
    r.document.droppedLines = r.dropped = true;
    r.expectSetting = false;
    fed = {};
  } else if (!IsTextLine(line)) {
    Warn(r, "not text; ignored");
    r.document.droppedLines = r.dropped = true;
    r.expectSetting = false;
    fed = {};
  } else if (header) {
    r.current.header = true;
    r.current.section = std::string(body.substr(1, body.find(']') - 1));
  }
  if (!fed.empty()) std::memcpy(buffer, fed.data(), fed.size());  // an empty view may be null
  buffer[fed.size()] = '\n';
  buffer[fed.size() + 1] = '\0';
  return buffer;
}

int OnSetting(void* user, const char* section, const char* name, const char* value) {
  Reading& r = *static_cast<Reading*>(user);
  r.handled = true;
  const auto rows = SettingRows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const SettingRow& row = rows[i];
    if (row.section != section || row.name != name) continue;
    r.current.setting = static_cast<int>(i);
    std::vector<std::string> problems;
    if (!row.parse(r.document.values, value, problems)) {
      Warn(r, "bad value '" + std::string(value) + "' for " + std::string(name) + " (expected " +
                  std::string(row.expected) + "); the default is used");
      r.document.droppedLines = true;
      return 1;
    }
    for (std::string& problem : problems)
      Warn(r, problem + " for " + std::string(name) + "; left out");
    if (!problems.empty())
      r.document.droppedLines = true;
    else
      r.current.loadedValue = row.format(r.document.values);
    return 1;
  }
  Warn(r, "unknown setting '" + std::string(name) + "' in [" + std::string(section) +
              "]; kept in the file but not used");
  return 1;
}

struct InihOptions {
  InihOptions() {
    // Indented lines are settings of their own, not continuations of the line above.
    ini_allow_multiline = false;
  }
};

}  // namespace

SettingsDocument ReadSettingsText(std::string_view text) {
  static const InihOptions options;
  Reading reading;
  reading.text = text.substr(0, kMaxSettingsText);
  // A byte-order mark some editors write; classifying the first line must not see it.
  if (reading.text.starts_with("\xEF\xBB\xBF")) reading.text.remove_prefix(3);
  ini_parse_stream(ReadLine, &reading, OnSetting, &reading);
  return std::move(reading.document);
}

std::string WriteSettingsText(const std::vector<SettingsLine>& lines, const Settings& values) {
  const auto rows = SettingRows();
  std::vector<bool> present(rows.size(), false);
  for (const SettingsLine& line : lines) {
    if (line.setting >= 0) present[static_cast<std::size_t>(line.setting)] = true;
  }
  std::vector<std::string> out;
  std::vector<std::string> sectionsDone;
  // The settings of `section` that no line holds go after its last non-blank line.
  auto addMissing = [&](std::string_view section) {
    for (const std::string& done : sectionsDone) {
      if (done == section) return;
    }
    sectionsDone.emplace_back(section);
    std::size_t at = out.size();
    while (at > 0 && TrimLeft(out[at - 1]).empty()) --at;
    std::vector<std::string> added;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].section != section || present[i]) continue;
      added.push_back(std::string(rows[i].name) + " = " + rows[i].format(values));
      present[i] = true;
    }
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
  };

  if (lines.empty()) {
    out.push_back("# Tarvex settings. The game rewrites this file when a setting changes and");
    out.push_back("# keeps your comments. Extra keys: names separated by commas, e.g. up = W");
  }
  std::string section;
  for (const SettingsLine& line : lines) {
    if (line.header) {
      addMissing(section);
      section = line.section;
      out.push_back(line.text);
    } else if (line.setting >= 0) {
      const SettingRow& row = rows[static_cast<std::size_t>(line.setting)];
      const std::string value = row.format(values);
      // An unchanged value keeps its line as the player wrote it (spacing, inline comment).
      out.push_back(line.loadedValue == value ? line.text : std::string(row.name) + " = " + value);
    } else {
      out.push_back(line.text);
    }
  }
  addMissing(section);
  for (const SettingRow& row : rows) {
    bool done = false;
    for (const std::string& d : sectionsDone) done = done || d == row.section;
    if (done) continue;
    if (!out.empty()) out.emplace_back();
    out.push_back("[" + std::string(row.section) + "]");
    addMissing(row.section);
  }
  std::string text;
  for (const std::string& line : out) text += line + "\n";
  return text;
}

}  // namespace tvx
