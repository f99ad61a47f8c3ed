#include "app/GameRun.h"

#include <cstdio>
#include <string>

#include "game/Unit1.h"
#include "platform/replay/recording_application.h"
#include "platform/replay/recording_clock.h"
#include "platform/replay/recording_keyboard_device.h"
#include "platform/replay/replay_application.h"
#include "platform/replay/replay_clock.h"
#include "platform/replay/replay_folder.h"
#include "platform/replay/replay_keyboard_device.h"

namespace tvx {
namespace {

constexpr int kReplayDiverged = 3;

int Play(const PlatformParts& parts) {
  TForm1 form(parts);
  parts.application.Run();
  return form.ExitCode();
}

int Record(const PlatformParts& parts, const std::string& file) {
  replay::ReplayWriter writer;
  std::string error;
  const std::string ranking = parts.programFolder + "ranking.rkg";
  if (!writer.Open(file, replay::ReadRankingForRecording(ranking), error)) {
    std::fprintf(stderr, "tarvex: cannot record: %s\n", error.c_str());
    return 1;
  }
  replay::RecordingClock clock(parts.clock, writer);
  replay::RecordingApplication application(parts.application, writer);
  replay::RecordingKeyboardDevice keyboard(parts.keyboard, writer);
  TForm1 form({clock, application, parts.graphics, keyboard, parts.audio, parts.programFolder});
  application.Run();
  // The recording ends with the message loop; what the form does as it closes is not played.
  if (!writer.Finish(error)) {
    std::fprintf(stderr, "tarvex: %s\n", error.c_str());
    return 1;
  }
  return form.ExitCode();
}

int Replay(const PlatformParts& parts, const std::string& file, const std::string& archive) {
  std::string error;
  const std::optional<replay::ReplayScript> script = replay::LoadReplay(file, error);
  replay::ReplayFolder folder;
  if (!script || !folder.Create(archive, script->ranking, error)) {
    std::fprintf(stderr, "tarvex: cannot play the replay: %s\n", error.c_str());
    return 1;
  }
  replay::ReplayCursor cursor(*script);
  replay::ReplayClock clock(cursor, &parts.clock);
  replay::ReplayApplication application(cursor, &parts.application);
  replay::ReplayKeyboardDevice keyboard(cursor);
  int exitCode = 0;
  {
    TForm1 form({clock, application, parts.graphics, keyboard, parts.audio, folder.Path()});
    application.Run();
    exitCode = form.ExitCode();
  }
  if (cursor.Diverged()) {
    std::fprintf(stderr, "tarvex: %s\n", cursor.Error().c_str());
    return kReplayDiverged;
  }
  std::printf("tarvex: replay %s %s after %llu frames\n", file.c_str(),
              application.StoppedByViewer() ? "stopped" : "finished",
              static_cast<unsigned long long>(cursor.Frames()));
  return exitCode;
}

}  // namespace

int RunGame(const PlatformParts& parts, const LaunchOptions& options) {
  if (options.recordFile) return Record(parts, *options.recordFile);
  if (options.replayFile) {
    const std::string folder = options.dataFolder ? *options.dataFolder + "/" : parts.programFolder;
    return Replay(parts, *options.replayFile, folder + "resources.tvx");
  }
  return Play(parts);
}

}  // namespace tvx
