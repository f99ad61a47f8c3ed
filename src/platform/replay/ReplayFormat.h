// The replay file: everything from outside that one run of the game consumed, in the order it
// consumed it, as small text lines. Version 1:
//
//   tarvex-replay 1              first line: the format and its version
//   ranking none | ranking HEX   the ranking file as it was when the recording began
//   then one entry per line ('#' lines are comments):
//     actions, pushed into the game by the platform:
//       start          the launcher's "Start Game"       key VK      a key-down event
//       deactivate     the window lost the focus         restore     it came back
//       timer I        window timer I (creation order) fired
//       f              one pass of the idle handler (a frame)
//       end            the recording ends here
//     answers, pulled by the game, written right after the action they belong to:
//       freq R F       frequency query: result (0/1), counts per second
//       c D            performance counter, D counts after the previous reading
//       t D            tick count, D ms after the previous reading (mod 2^32)
//       s MS           the game slept MS ms (checked, not answered)
//       refresh HZ     the display's refresh rate
//       i CALL R       a keyboard device call and its result (CALL: has, object, device,
//                      format, level, acquire, unacquire, release)
//       k R CODES      a keyboard read: its result and the held key codes in hex
//       repeat N       the previous action with its answers happened N more times
//
// A replay comes from outside: lines, counts and values are bounded and checked, and a
// damaged file is refused with the line it failed on.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tvx::replay {

constexpr std::string_view kMagic = "tarvex-replay";
constexpr int kVersion = 1;
constexpr std::size_t kMaxFileBytes = 64u << 20;
constexpr std::size_t kMaxRankingBytes = 64u << 10;
constexpr std::size_t kMaxEntryLineBytes = 1024;
constexpr std::int64_t kMaxRepeat = 100000000;
// A day of frames at a thousand a second: no recording of a game comes near it.
constexpr std::int64_t kMaxActions = 86400000;
constexpr std::int64_t kMaxTimers = 64;

enum class Kind : std::uint8_t {
  // Actions.
  Start,
  Key,
  Deactivate,
  Restore,
  Timer,
  Frame,
  End,
  // Answers.
  Frequency,
  Counter,
  Ticks,
  Sleep,
  Refresh,
  Input,
  Keys,
  // The previous action's block again.
  Repeat,
};

bool IsAction(Kind kind);
// What the entry is, for messages: "a key-down event", "the keyboard state"...
std::string_view Describe(Kind kind);

struct Entry {
  Kind kind = Kind::End;
  std::uint32_t line = 0;  // in the file, for messages
  std::int64_t a = 0;      // key, timer, result, delta, milliseconds, rate, count or call
  std::int64_t b = 0;      // frequency or result
  std::bitset<256> keys;   // the held keys of a keyboard read
};

inline Entry MakeEntry(Kind kind, std::int64_t a = 0, std::int64_t b = 0) {
  Entry entry;
  entry.kind = kind;
  entry.a = a;
  entry.b = b;
  return entry;
}

// Appends the entry's line (without its line break) to `out`.
void FormatEntry(const Entry& entry, std::string& out);
// False with `error` set when the line is not a well-formed entry.
bool ParseEntry(std::string_view line, Entry& entry, std::string& error);

}  // namespace tvx::replay
