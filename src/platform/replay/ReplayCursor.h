// The position in a replay while it plays, shared by the playback clock, application and
// keyboard. The application takes the actions one by one; while the game handles one, the
// clock and the keyboard take its answers in order. When the game asks for something other
// than what the recording holds next (or asks nothing where the recording holds an answer),
// the replay has diverged: the cursor stops, keeps a message that says where, and from then
// on hands out nothing, so the game winds down on neutral answers instead of crashing.
#pragma once

#include <cstdint>
#include <string>

#include "platform/replay/ReplayScript.h"

namespace tvx::replay {

class ReplayCursor {
 public:
  explicit ReplayCursor(const ReplayScript& script)
      : script_(script), position_{0, script.firstLine} {}

  // The next action, or null once the replay has ended or stopped. An answer left over from
  // the previous action stops the replay.
  const Entry* NextAction();
  // The next answer when it is of `kind`; otherwise the replay diverges (`asked` says what
  // the game asked for) and the answer is null. Null too once stopped.
  const Entry* Answer(Kind kind, const char* asked);
  // Stops the replay with a message about the entry at the cursor.
  void Diverge(const std::string& what);
  // The game quit: the recording must end here too.
  void ExpectEnd();

  bool Ended() const { return ended_; }
  bool Diverged() const { return !error_.empty(); }
  bool Stopped() const { return ended_ || Diverged(); }
  const std::string& Error() const { return error_; }
  // The recording ended without its end line: the file was cut short.
  bool BrokeOff() const { return brokeOff_; }
  std::uint64_t Frames() const { return frames_; }

 private:
  // Where an entry line starts in the script's entry lines, and its line number.
  struct Place {
    std::size_t offset = 0;
    std::uint32_t line = 0;
  };
  // The entry at the cursor after repetitions are unrolled, read into peeked_ with the place
  // after it in next_; null past the last one.
  const Entry* Peek();
  std::string Where(const Entry* entry) const;
  void BreakOff();

  const ReplayScript& script_;
  Place position_;
  Place next_;
  Place lastAction_;
  // The block being repeated: from its action up to its repeat line, and the runs still due.
  Place repeatBegin_;
  Place repeatEnd_;
  Place afterRepeat_;
  std::int64_t repeatsLeft_ = 0;
  std::int64_t repeatTotal_ = 0;
  // The entries handed out: an action stays valid while its answers are taken.
  Entry peeked_;
  Entry action_;
  Entry answer_;
  std::uint64_t frames_ = 0;
  bool ended_ = false;
  bool brokeOff_ = false;
  std::string error_;
};

}  // namespace tvx::replay
