#include "platform/replay/ReplayScript.h"

#include <charconv>

#include "core/FileBytes.h"
#include "core/TerminalText.h"

namespace tvx::replay {
namespace {

constexpr std::string_view kRankingWord = "ranking ";
constexpr std::string_view kNoRanking = "none";
constexpr char kHexDigits[] = "0123456789abcdef";

std::optional<std::string> FromHex(std::string_view hex) {
  if (hex.size() % 2 != 0 || hex.size() / 2 > kMaxRankingBytes) return std::nullopt;
  std::string bytes(hex.size() / 2, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    unsigned value = 0;
    const char* first = hex.data() + 2 * i;
    const auto [end, error] = std::from_chars(first, first + 2, value, 16);
    if (error != std::errc{} || end != first + 2) return std::nullopt;
    bytes[i] = static_cast<char>(value);
  }
  return bytes;
}

// Splits off the next line without its line break (LF or CR LF).
std::string_view NextLine(std::string_view& rest) {
  const std::size_t end = rest.find('\n');
  std::string_view line = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Blank lines and comments hold no entry.
bool HoldsNoEntry(std::string_view line) { return line.empty() || line.front() == '#'; }

class Parser {
 public:
  Parser(std::string_view text, std::string name) : rest_(text) { script_.name = std::move(name); }

  std::optional<ReplayScript> Run(std::string& error) {
    if (!Header()) return Fail(error);
    script_.entries = std::string(rest_);
    script_.firstLine = lineNumber_ + 1;
    bool actionSinceRepeat = false;
    std::int64_t actions = 0;  // as played, repetitions unrolled
    while (!rest_.empty()) {
      const std::string_view line = Line();
      if (HoldsNoEntry(line)) continue;
      if (line.size() > kMaxEntryLineBytes) return Fail(error, "the line is too long");
      Entry entry;
      entry.line = lineNumber_;
      if (!ParseEntry(line, entry, message_)) return Fail(error);
      if (entry.kind == Kind::Repeat) {
        if (!actionSinceRepeat) return Fail(error, "a repetition follows no action");
        actionSinceRepeat = false;
        actions += entry.a;
      } else if (IsAction(entry.kind)) {
        actionSinceRepeat = true;
        ++actions;
      }
      if (actions > kMaxActions) return Fail(error, "longer than any recorded game");
    }
    return std::move(script_);
  }

 private:
  std::string_view Line() {
    ++lineNumber_;
    return NextLine(rest_);
  }

  bool Header() {
    const std::string expected = std::string(kMagic) + " " + std::to_string(kVersion);
    const std::string_view first = Line();
    if (!first.starts_with(kMagic)) return Refuse("this is not a Tarvex replay");
    if (first != expected) {
      return Refuse("'" + std::string(first.substr(0, 40)) +
                    "' is not a version this program plays (it plays " + expected + ")");
    }
    const std::string_view ranking = Line();
    if (!ranking.starts_with(kRankingWord)) return Refuse("the ranking line is missing");
    const std::string_view value = ranking.substr(kRankingWord.size());
    if (value == kNoRanking) return true;
    script_.ranking = FromHex(value);
    return script_.ranking ? true : Refuse("the ranking line is damaged");
  }

  bool Refuse(std::string message) {
    message_ = std::move(message);
    return false;
  }

  std::optional<ReplayScript> Fail(std::string& error, std::string message = {}) {
    if (!message.empty()) message_ = std::move(message);
    // The message quotes the file: what it holds must not act on the terminal it is shown on.
    error = EscapedForTerminal(script_.name + ":" + std::to_string(lineNumber_) + ": " + message_);
    return std::nullopt;
  }

  std::string_view rest_;
  ReplayScript script_;
  std::uint32_t lineNumber_ = 0;
  std::string message_;
};

// The line at `offset` without its line break; `offset` moves to the next one.
std::string_view LineAt(std::string_view text, std::size_t& offset) {
  std::string_view rest = text.substr(offset);
  const std::string_view line = NextLine(rest);
  offset = text.size() - rest.size();
  return line;
}

}  // namespace

bool ReadEntryAt(const ReplayScript& script, std::size_t& offset, std::uint32_t& line,
                 Entry& entry) {
  while (offset < script.entries.size()) {
    const std::uint32_t number = line++;
    const std::string_view text = LineAt(script.entries, offset);
    if (HoldsNoEntry(text)) continue;
    std::string ignored;  // the whole file was checked as it was read
    ParseEntry(text, entry, ignored);
    entry.line = number;
    return true;
  }
  return false;
}

std::string FormatHeader(const std::optional<std::string>& ranking) {
  std::string header = std::string(kMagic) + " " + std::to_string(kVersion) + "\n";
  header += kRankingWord;
  if (!ranking) {
    header += kNoRanking;
  } else {
    for (const char c : *ranking) {
      const auto byte = static_cast<unsigned char>(c);
      header += kHexDigits[byte >> 4];
      header += kHexDigits[byte & 15];
    }
  }
  return header + "\n";
}

std::optional<ReplayScript> ParseReplay(std::string_view text, std::string name,
                                        std::string& error) {
  return Parser(text, std::move(name)).Run(error);
}

std::optional<ReplayScript> LoadReplay(const std::string& path, std::string& error) {
  std::string text;
  std::string reason;
  if (ReadRegularFile(path, kMaxFileBytes, text, reason) != FileRead::Read) {
    error = EscapedForTerminal(path) + ": " + reason;
    return std::nullopt;
  }
  return ParseReplay(text, path, error);
}

}  // namespace tvx::replay
