#include "platform/probes/BareGlWindow.h"

#include <SDL.h>
#include <epoxy/gl.h>

namespace tvx::probes {

bool WithBareGlWindow(const std::function<void()>& whileShown, std::string& error) {
  SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640,
                                        480, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
  if (window == nullptr) {
    error = SDL_GetError();
    return false;
  }
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) {
    error = SDL_GetError();
    SDL_DestroyWindow(window);
    return false;
  }
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  SDL_GL_SwapWindow(window);
  glFinish();
  whileShown();
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  return true;
}

}  // namespace tvx::probes
