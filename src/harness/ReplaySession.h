// Replays on the platform doubles. RecordingSession runs the whole game on the doubles (a
// 60 Hz display's frame time per pass) with the replay decorators between them and the
// game, so that scripted play is written as a genuine recording. PlayReplay plays one back
// on the playback doubles and describes the end state in text: level, score, damage, the
// flags, the random seed, every sprite, the ranking (in the game and read back from its
// file), messages and how often each sound call was made.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/Form1.h"
#include "platform/doubles/FakeApplication.h"
#include "platform/doubles/FakeKeyboardDevice.h"
#include "platform/doubles/RecordingGraphicsApi.h"
#include "platform/doubles/SilentAudioLibrary.h"
#include "platform/doubles/VirtualClock.h"
#include "platform/replay/RecordingApplication.h"
#include "platform/replay/RecordingClock.h"
#include "platform/replay/RecordingKeyboardDevice.h"
#include "platform/replay/ReplayScript.h"

namespace tvx::testing {

class RecordingSession {
 public:
  static constexpr std::int64_t kFrameMicroseconds = 16667;

  // `programFolder` holds resources.tvx; the recording starts from the program's first
  // random number.
  RecordingSession(const std::string& programFolder, const std::string& replayPath);
  ~RecordingSession();

  TForm1& Form() { return *form_; }
  TGameState& State() { return form_->State(); }
  bool Recording() const { return writer_.IsOpen(); }

  // One pass of the message loop after a display frame's time.
  void Frame();
  void Frames(int count);
  // A key-down event delivered with the next frame.
  void Press(std::uint16_t virtualKey);
  // Writes the end of the recording; false with `error` set when it failed.
  bool Finish(std::string& error);

  VirtualClock clock;
  FakeApplication app{clock};
  FakeKeyboardDevice keyboard;
  SilentAudioLibrary audio;
  gfx::RecordingGraphicsApi graphics;

 private:
  replay::ReplayWriter writer_;
  replay::RecordingClock recordingClock_{clock, writer_};
  replay::RecordingApplication recordingApp_{app, writer_};
  replay::RecordingKeyboardDevice recordingKeyboard_{keyboard, writer_};
  std::unique_ptr<TForm1> form_;
};

struct ReplayOutcome {
  std::string error;     // why the replay did not run to its end; empty when it did
  std::string endState;  // the end state described
  TGameState state;      // the game's variables at the end
  std::uint64_t frames = 0;
};

std::string DescribeEndState(TForm1& form, const SilentAudioLibrary& audio,
                             const gfx::RecordingGraphicsApi& graphics,
                             const std::vector<std::string>& messages,
                             const std::string& programFolder);

ReplayOutcome PlayReplay(const replay::ReplayScript& script, const std::string& archive);

}  // namespace tvx::testing
