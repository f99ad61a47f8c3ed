// The program entry: the command line, then the player's settings (warnings on stderr; the
// command line overrides them for this run), then where the archive and the ranking are, then
// SDL, OpenGL, the SDL keyboard and the audio mixer put together into the main window's
// platform parts, with extra keys, pads, volumes and the F10 mute toggle connected around the
// game; the launcher window opens and the message loop runs until the player leaves from the
// title screen. The launcher shows pictures and fonts of the archive.
#include <cstdio>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/GameLocations.h"
#include "app/GameRun.h"
#include "app/LauncherArtLoader.h"
#include "app/OptionsScreen.h"
#include "app/PlayerControls.h"
#include "game/Form1.h"
#include "platform/LeakCheckAtExit.h"
#include "platform/ProgramMemory.h"
#include "platform/audio/SdlAudioLibrary.h"
#include "platform/gl/GlGraphicsApi.h"
#include "platform/sdl/ProgramFolder.h"
#include "platform/sdl/SdlApplication.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlKeyboardDevice.h"
#include "settings/SettingsFile.h"

int main(int argc, char** argv) {
  const tvx::CommandLineResult command = tvx::ParseCommandLine(argc, argv);
  switch (command.action) {
    case tvx::CommandLineAction::ShowHelp:
      std::fputs(tvx::UsageText().c_str(), stdout);
      return 0;
    case tvx::CommandLineAction::ShowVersion:
      std::printf("tarvex %s\n", tvx::ProgramVersion());
      return 0;
    case tvx::CommandLineAction::Fail:
      std::fprintf(stderr, "tarvex: %s\n%s", command.error.c_str(), tvx::UsageText().c_str());
      return 2;
    case tvx::CommandLineAction::Play:
      break;
  }
  tvx::ReturnLargeBlocksWhenFreed();
  tvx::SettingsFile settingsFile(tvx::DefaultSettingsPath());
  std::vector<std::string> warnings;
  tvx::Settings settings = settingsFile.Load(warnings);
  for (const std::string& warning : warnings) std::fprintf(stderr, "tarvex: %s\n", warning.c_str());
  if (command.options.mute) settings.mute = true;
  tvx::RememberScale(settingsFile, command.options.scale);
  const tvx::DisplayOptions display = tvx::DisplayOf(settings, command.options);

  const std::string programFolder = tvx::ProgramFolder();
  const tvx::LocationEnvironment environment = tvx::LocationEnvironment::FromProcess();
  const std::vector<std::string> candidates =
      tvx::ArchiveCandidates(programFolder, command.options.dataFolder, environment);
  const std::optional<std::string> archive = tvx::FirstExistingFile(candidates);

  // The launcher draws with the game's own pictures and fonts.
  tvx::LauncherArt launcherArt;
  if (archive) {
    std::string problem;
    launcherArt = tvx::LoadLauncherArt(*archive, problem);
    if (!problem.empty()) std::fprintf(stderr, "tarvex: %s\n", problem.c_str());
  }
  tvx::SdlClock clock;
  std::string error;
  std::unique_ptr<tvx::SdlApplication> application =
      tvx::SdlApplication::Create(clock, error, display, launcherArt);
  launcherArt = {};  // the launcher holds them as textures now
  if (!application) {
    std::fprintf(stderr, "tarvex: cannot open the game window: %s\n", error.c_str());
    return 1;
  }
  if (!archive) {
    const std::string message = tvx::ArchiveNotFoundMessage(candidates);
    std::fprintf(stderr, "%s\n", message.c_str());
    application->ShowMessage(message);
    return 1;
  }
  // The player switches between full screen and a window; the game's device stays full screen.
  tvx::GlGraphicsApi graphics(application->Window(),
                              {.scale = display.scale, .deviceSetsWindowMode = false});
  // The launcher is up: what the driver compiles on first use is done while the player looks.
  graphics.PrepareAhead();
  // Out of sight nothing is drawn; the game's frames run on only where they must.
  application->SetOnVisibilityChanged([&graphics](bool shown) { graphics.SetDrawing(shown); });
  tvx::SdlKeyboardDevice keyboard;
  tvx::ConnectInputs(*application, keyboard, settings);
  tvx::SdlAudioLibrary audio;
  audio.SetMixLevels(tvx::LevelsOf(settings));
  tvx::OptionsScreen options(*application, graphics, audio, clock, settingsFile, settings);
  tvx::ConnectMuteToggle(*application, audio, settingsFile, settings,
                         [&options] { options.MuteToggled(); });
  tvx::ConnectDisplayMemory(*application, settingsFile);
  const tvx::FormHooks hooks{[&](tvx::TForm1& form) {
                               tvx::ConnectForm(*application, form, &audio);
                               options.Connect(form);
                               settingsFile.SetFailureNotice([&form](const std::string& error) {
                                 form.ShowNotice("Settings not saved: " + error);
                               });
                             },
                             [&] {
                               settingsFile.SetFailureNotice({});
                               options.Disconnect();
                               tvx::DisconnectForm(*application);
                             }};
  const int exitCode =
      tvx::RunGame({clock, *application, graphics, keyboard, audio, *archive,
                    tvx::RankingPathFor(programFolder, *archive, environment), display},
                   command.options, hooks);
  tvx::KeepLibrariesLoaded();
  return exitCode;
}
