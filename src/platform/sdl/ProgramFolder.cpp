#include "platform/sdl/ProgramFolder.h"

#include <SDL.h>

namespace tvx {

std::string ProgramFolder() {
  char* base = SDL_GetBasePath();
  if (base == nullptr) return "./";
  std::string folder = base;
  SDL_free(base);
  return folder;
}

}  // namespace tvx
