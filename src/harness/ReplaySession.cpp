#include "harness/ReplaySession.h"

#include <cstdio>
#include <map>

#include "core/Random.h"
#include "game/RankingFile.h"
#include "game/RankingTable.h"
#include "platform/replay/ReplayApplication.h"
#include "platform/replay/ReplayClock.h"
#include "platform/replay/ReplayFolder.h"
#include "platform/replay/ReplayKeyboardDevice.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteEngine.h"

namespace tvx::testing {
namespace {

std::string Fixed(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

std::string Flag(bool value) { return value ? "1" : "0"; }

}  // namespace

std::string DescribeEndState(TForm1& form, const SilentAudioLibrary& audio,
                             const gfx::RecordingGraphicsApi& graphics,
                             const std::vector<std::string>& messages,
                             const std::string& programFolder) {
  const TGameState& s = form.State();
  std::string text;
  text += "level " + std::to_string(s.Level) + "\n";
  text += "score " + std::to_string(s.Score) + " final " + std::to_string(s.FinalScore) + "\n";
  text += "damage " + std::to_string(s.DamageBar.size()) + "\n";
  text += "time bar " + std::to_string(s.TimeBar.size()) + "\n";
  text += "flags in-game " + Flag(s.InGame) + " intro-done " + Flag(s.IntroDone) + " running " +
          Flag(s.LevelRunning) + " paused " + Flag(s.Paused) + " game-over " + Flag(s.GameOver) +
          " ranking-mode " + Flag(s.RankingMode) + "\n";
  text += "player " + Fixed(s.PlayerX) + " " + Fixed(s.PlayerY) + " alpha " +
          std::to_string(s.PlayerAlpha) + " car " + std::to_string(s.CarIndex) + "\n";
  text += "random seed " + std::to_string(RandSeed()) + "\n";
  text += "presents " + std::to_string(graphics.Count(gfx::Call::Present)) + "\n";
  // The sprite engine exists once the first frame has loaded the resources.
  if (s.DeviceReady) {
    text += "sprites " + std::to_string(form.Engine().Count()) + "\n";
    for (const TSprite* sprite : form.Engine().SpriteList()) {
      text += "  sprite " + sprite->ImageName + " " + Fixed(sprite->X) + " " + Fixed(sprite->Y) +
              " z " + std::to_string(sprite->Z()) + (sprite->IsDead() ? " dead" : "") + "\n";
    }
  }
  for (const std::string& line : s.Ranking) text += "ranking " + line + "\n";
  const std::optional<std::string> file = LoadRankingFile(programFolder + "ranking.rkg");
  if (file) {
    for (const std::string& line : RankingLinesOf(*file)) text += "ranking file " + line + "\n";
  }
  for (const std::string& message : messages) text += "message " + message + "\n";
  std::map<std::string, int> calls;
  for (const std::string& call : audio.Log()) ++calls[call];
  for (const auto& [call, count] : calls) {
    text += "sound " + call + " x" + std::to_string(count) + "\n";
  }
  return text;
}

RecordingSession::RecordingSession(const std::string& programFolder,
                                   const std::string& replayPath) {
  SetRandSeed(0);
  std::string error;
  const std::optional<std::string> ranking =
      replay::ReadRankingForRecording(programFolder + "ranking.rkg");
  if (!writer_.Open(replayPath, ranking, true, error)) return;
  graphics.SetLogging(false);
  form_ = std::make_unique<TForm1>(
      PlatformParts{recordingClock_, recordingApp_, graphics, recordingKeyboard_, audio,
                    programFolder + "resources.tvx", programFolder + "ranking.rkg"});
}

RecordingSession::~RecordingSession() = default;

void RecordingSession::Frame() {
  clock.AdvanceMicroseconds(kFrameMicroseconds);
  app.RunPass();
}

void RecordingSession::Frames(int count) {
  for (int i = 0; i < count && !app.Terminated(); ++i) Frame();
}

void RecordingSession::Press(std::uint16_t virtualKey) {
  app.QueueKey(virtualKey);
  Frame();
}

bool RecordingSession::Finish(std::string& error) { return writer_.Finish(error); }

ReplayOutcome PlayReplay(const replay::ReplayScript& script, const std::string& archive) {
  ReplayOutcome outcome;
  replay::ReplayFolder folder;
  if (!folder.Create(archive, script.ranking, outcome.error)) return outcome;
  SetRandSeed(0);
  replay::ReplayCursor cursor(script);
  replay::ReplayClock clock(cursor);
  replay::ReplayApplication app(cursor);
  replay::ReplayKeyboardDevice keyboard(cursor);
  SilentAudioLibrary audio;
  gfx::RecordingGraphicsApi graphics;
  graphics.SetLogging(false);
  {
    TForm1 form({clock, app, graphics, keyboard, audio, folder.Path() + "resources.tvx",
                 folder.Path() + "ranking.rkg"});
    app.Run();
    outcome.endState = DescribeEndState(form, audio, graphics, app.MessagesShown(), folder.Path());
    outcome.state = form.State();
  }
  outcome.error = cursor.Error();
  outcome.frames = cursor.Frames();
  return outcome;
}

}  // namespace tvx::testing
