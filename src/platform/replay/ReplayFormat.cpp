#include "platform/replay/ReplayFormat.h"

#include <array>
#include <charconv>
#include <limits>

namespace tvx::replay {
namespace {

struct KindRow {
  Kind kind;
  std::string_view word;
  std::string_view description;
  int numbers;  // plain numbers after the word (keyboard reads and calls are parsed apart)
  std::int64_t min;
  std::int64_t max;
};

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kUint32Max = std::numeric_limits<std::uint32_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

constexpr std::array kKinds{
    KindRow{Kind::Start, "start", "the start button", 0, 0, 0},
    KindRow{Kind::Key, "key", "a key-down event", 1, 0, 0xFFFF},
    KindRow{Kind::Deactivate, "deactivate", "the focus loss", 0, 0, 0},
    KindRow{Kind::Restore, "restore", "the window's restore", 0, 0, 0},
    KindRow{Kind::Timer, "timer", "a window timer", 1, 0, kMaxTimers - 1},
    KindRow{Kind::Frame, "f", "a frame", 0, 0, 0},
    KindRow{Kind::End, "end", "the end of the recording", 0, 0, 0},
    KindRow{Kind::Frequency, "freq", "the counter frequency", 2, 0, kInt64Max},
    KindRow{Kind::Counter, "c", "a counter reading", 1, kInt64Min, kInt64Max},
    KindRow{Kind::Ticks, "t", "a tick count reading", 1, 0, kUint32Max},
    KindRow{Kind::Sleep, "s", "a sleep", 1, 0, kUint32Max},
    KindRow{Kind::Refresh, "refresh", "the refresh rate", 1, kInt32Min, kInt32Max},
    KindRow{Kind::Input, "i", "a keyboard device call", 0, 0, 0},
    KindRow{Kind::Keys, "k", "a keyboard read", 0, 0, 0},
    KindRow{Kind::Repeat, "repeat", "a repetition", 1, 1, kMaxRepeat},
};

// The keyboard calls in KeyboardCall order; a read is written as the keys it found instead.
constexpr std::array<std::string_view, 8> kInputCalls{"has",   "object",  "device",    "format",
                                                      "level", "acquire", "unacquire", "release"};

const KindRow& RowOf(Kind kind) { return kKinds[static_cast<std::size_t>(kind)]; }

void AppendNumber(std::string& out, std::int64_t value, int base = 10) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value, base).ptr;
  out.push_back(' ');
  out.append(digits, end);
}

// Splits off the next space-separated word; empty when none is left.
std::string_view NextWord(std::string_view& rest) {
  const std::size_t end = rest.find(' ');
  const std::string_view word = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
  return word;
}

bool ParseNumber(std::string_view word, std::int64_t min, std::int64_t max, std::int64_t& value,
                 int base = 10) {
  if (word.empty()) return false;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
  return error == std::errc{} && end == word.data() + word.size() && value >= min && value <= max;
}

bool ParseInput(std::string_view rest, Entry& entry, std::string& error) {
  const std::string_view call = NextWord(rest);
  std::size_t index = 0;
  while (index < kInputCalls.size() && kInputCalls[index] != call) ++index;
  if (index == kInputCalls.size()) {
    error = "unknown keyboard call '" + std::string(call) + "'";
    return false;
  }
  entry.a = static_cast<std::int64_t>(index);
  if (!ParseNumber(NextWord(rest), kInt32Min, kInt32Max, entry.b) || !rest.empty()) {
    error = "a keyboard call needs one result";
    return false;
  }
  return true;
}

bool ParseKeys(std::string_view rest, Entry& entry, std::string& error) {
  if (!ParseNumber(NextWord(rest), kInt32Min, kInt32Max, entry.a)) {
    error = "a keyboard read needs its result";
    return false;
  }
  while (!rest.empty()) {
    const std::string_view word = NextWord(rest);
    std::int64_t code = 0;
    if (word.size() > 2 || !ParseNumber(word, 0, 255, code, 16)) {
      error = "'" + std::string(word) + "' is not a key code";
      return false;
    }
    entry.keys.set(static_cast<std::size_t>(code));
  }
  return true;
}

}  // namespace

bool IsAction(Kind kind) { return kind <= Kind::End; }

std::string_view Describe(Kind kind) { return RowOf(kind).description; }

void FormatEntry(const Entry& entry, std::string& out) {
  const KindRow& row = RowOf(entry.kind);
  out.append(row.word);
  if (entry.kind == Kind::Input) {
    out.push_back(' ');
    out.append(kInputCalls[static_cast<std::size_t>(entry.a)]);
    AppendNumber(out, entry.b);
  } else if (entry.kind == Kind::Keys) {
    AppendNumber(out, entry.a);
    for (std::size_t code = 0; code < entry.keys.size(); ++code) {
      if (entry.keys.test(code)) AppendNumber(out, static_cast<std::int64_t>(code), 16);
    }
  } else {
    if (row.numbers >= 1) AppendNumber(out, entry.a);
    if (row.numbers >= 2) AppendNumber(out, entry.b);
  }
}

bool ParseEntry(std::string_view line, Entry& entry, std::string& error) {
  std::string_view rest = line;
  const std::string_view word = NextWord(rest);
  for (const KindRow& row : kKinds) {
    if (row.word != word) continue;
    entry.kind = row.kind;
    entry.a = entry.b = 0;
    entry.keys.reset();
    if (row.kind == Kind::Input) return ParseInput(rest, entry, error);
    if (row.kind == Kind::Keys) return ParseKeys(rest, entry, error);
    // A frequency's result is a flag; its second number is the frequency.
    const std::int64_t firstMax = row.kind == Kind::Frequency ? 1 : row.max;
    if (row.numbers >= 1 && !ParseNumber(NextWord(rest), row.min, firstMax, entry.a)) {
      error = "'" + std::string(line) + "' has a missing or out-of-range number";
      return false;
    }
    if (row.numbers >= 2 && !ParseNumber(NextWord(rest), row.min, row.max, entry.b)) {
      error = "'" + std::string(line) + "' has a missing or out-of-range number";
      return false;
    }
    if (!rest.empty()) {
      error = "'" + std::string(line) + "' has more than it should";
      return false;
    }
    return true;
  }
  error = "unknown entry '" + std::string(word) + "'";
  return false;
}

}  // namespace tvx::replay
