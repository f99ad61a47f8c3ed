/* Counts the frames a program presents through SDL's OpenGL swap, for idle_cpu_bench: loaded
 * with LD_PRELOAD, it stands in for SDL_GL_SwapWindow, adds one to a 64-bit counter kept in
 * the file TVX_SWAP_COUNTER names (mapped shared, so the bench reads it while the program
 * runs), and calls SDL's own. Without the variable it only passes the call on. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

static uint64_t* counter;
static void (*sdl_swap)(void*);

static void Open(void) {
  const char* path = getenv("TVX_SWAP_COUNTER");
  if (path == NULL) return;
  const int fd = open(path, O_RDWR | O_CREAT, 0644);
  if (fd < 0) return;
  if (ftruncate(fd, sizeof *counter) == 0) {
    void* mapped = mmap(NULL, sizeof *counter, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (mapped != MAP_FAILED) counter = mapped;
  }
  close(fd);
}

void SDL_GL_SwapWindow(void* window) {
  if (sdl_swap == NULL) {
    sdl_swap = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    Open();
  }
  if (counter != NULL) __atomic_add_fetch(counter, 1, __ATOMIC_RELAXED);
  if (sdl_swap != NULL) sdl_swap(window);
}
