// The program entry: SDL, OpenGL, the SDL keyboard and the audio mixer are put together
// into the main window's platform parts, the launcher window opens, and the message loop
// runs until the player leaves from the title screen.
#include <cstdio>
#include <string>

#include "game/Unit1.h"
#include "platform/audio/SdlAudioLibrary.h"
#include "platform/gl/gl_graphics_api.h"
#include "platform/sdl/program_folder.h"
#include "platform/sdl/sdl_application.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_keyboard_device.h"

int main(int, char**) {
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
  int exitCode = 0;
  {
    tvx::TForm1 form({clock, *application, graphics, keyboard, audio, tvx::ProgramFolder()});
    application->Run();
    exitCode = form.ExitCode();
  }
  return exitCode;
}
