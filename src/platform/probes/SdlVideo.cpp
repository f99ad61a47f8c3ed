#include "platform/probes/SdlVideo.h"

#include <SDL.h>

namespace tvx::probes {

bool StartSdlVideo(std::string& error) {
  if (SDL_Init(SDL_INIT_VIDEO) == 0) return true;
  error = SDL_GetError();
  return false;
}

void ShutDownSdl() { SDL_Quit(); }

}  // namespace tvx::probes
