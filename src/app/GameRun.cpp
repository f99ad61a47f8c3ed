#include "app/GameRun.h"

#include <cstdio>
#include <string>

#include "core/TerminalText.h"
#include "game/Form1.h"
#include "platform/replay/RecordingApplication.h"
#include "platform/replay/RecordingClock.h"
#include "platform/replay/RecordingKeyboardDevice.h"
#include "platform/replay/ReplayApplication.h"
#include "platform/replay/ReplayClock.h"
#include "platform/replay/ReplayFolder.h"
#include "platform/replay/ReplayKeyboardDevice.h"

namespace tvx {
namespace {

constexpr int kReplayUnusable = 1;
constexpr int kReplayDiverged = 3;

// Runs the message loop with `form` connected to the program's hooks.
void RunConnected(IApplication& application, TForm1& form, const FormHooks& hooks) {
  if (hooks.created) hooks.created(form);
  application.Run();
  if (hooks.closing) hooks.closing();
}

int Play(const PlatformParts& parts, const FormHooks& hooks) {
  TForm1 form(parts);
  RunConnected(parts.application, form, hooks);
  return form.ExitCode();
}

int Record(const PlatformParts& parts, const std::string& file, bool replace,
           const FormHooks& hooks) {
  replay::ReplayWriter writer;
  std::string error;
  if (!writer.Open(file, replay::ReadRankingForRecording(parts.rankingPath), replace, error)) {
    std::fprintf(stderr, "tarvex: cannot record: %s\n", error.c_str());
    return 1;
  }
  replay::RecordingClock clock(parts.clock, writer);
  replay::RecordingApplication application(parts.application, writer);
  replay::RecordingKeyboardDevice keyboard(parts.keyboard, writer);
  TForm1 form({clock, application, parts.graphics, keyboard, parts.audio, parts.archivePath,
               parts.rankingPath, parts.display});
  RunConnected(application, form, hooks);
  // The recording ends with the message loop; what the form does as it closes is not played.
  if (!writer.Finish(error)) {
    std::fprintf(stderr, "tarvex: %s\n", error.c_str());
    return 1;
  }
  return form.ExitCode();
}

int Replay(const PlatformParts& parts, const std::string& file, const FormHooks& hooks) {
  std::string error;
  const std::optional<replay::ReplayScript> script = replay::LoadReplay(file, error);
  replay::ReplayFolder folder;
  if (!script || !folder.Create(parts.archivePath, script->ranking, error)) {
    std::fprintf(stderr, "tarvex: cannot play the replay: %s\n", error.c_str());
    return kReplayUnusable;
  }
  replay::ReplayCursor cursor(*script);
  replay::ReplayClock clock(cursor, &parts.clock);
  replay::ReplayApplication application(cursor, &parts.application);
  replay::ReplayKeyboardDevice keyboard(cursor);
  int exitCode = 0;
  {
    TForm1 form({clock, application, parts.graphics, keyboard, parts.audio,
                 folder.Path() + "resources.tvx", folder.Path() + "ranking.rkg", parts.display});
    RunConnected(application, form, hooks);
    exitCode = form.ExitCode();
  }
  if (cursor.Diverged()) {
    std::fprintf(stderr, "tarvex: %s\n", EscapedForTerminal(cursor.Error()).c_str());
    // A recording that breaks off is a damaged file, not a program that plays differently.
    return cursor.BrokeOff() ? kReplayUnusable : kReplayDiverged;
  }
  std::printf("tarvex: replay %s %s after %llu frames\n", file.c_str(),
              application.StoppedByViewer() ? "stopped" : "finished",
              static_cast<unsigned long long>(cursor.Frames()));
  return exitCode;
}

}  // namespace

int RunGame(const PlatformParts& parts, const LaunchOptions& options, const FormHooks& hooks) {
  if (options.recordFile) return Record(parts, *options.recordFile, options.force, hooks);
  if (options.replayFile) return Replay(parts, *options.replayFile, hooks);
  return Play(parts, hooks);
}

}  // namespace tvx
