// The program entry: SDL, OpenGL, the SDL keyboard and the audio mixer are put together
// into the main window's platform parts, the launcher window opens, and the message loop
// runs until the player leaves from the title screen.
#include <cstdio>
#include <string>

#include "app/CommandLine.h"
#include "app/GameRun.h"
#include "platform/audio/SdlAudioLibrary.h"
#include "platform/gl/gl_graphics_api.h"
#include "platform/sdl/program_folder.h"
#include "platform/sdl/sdl_application.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_keyboard_device.h"

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
  tvx::SdlClock clock;
  std::string error;
  std::unique_ptr<tvx::SdlApplication> application = tvx::SdlApplication::Create(clock, error);
  if (!application) {
    std::fprintf(stderr, "tarvex: cannot open the game window: %s\n", error.c_str());
    return 1;
  }
  tvx::GlGraphicsApi graphics(application->Window());
  tvx::SdlKeyboardDevice keyboard;
  tvx::SdlAudioLibrary audio;
  return tvx::RunGame({clock, *application, graphics, keyboard, audio, tvx::ProgramFolder()},
                      command.options);
}
