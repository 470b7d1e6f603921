/* Preloaded into the Linux program: writes one line per presented frame (glXSwapBuffers) to
   the file named by SWAPCOUNT_FILE, so start-up time and frame rate can be measured from
   outside, the way Wine's own trace shows them for the Windows build. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

typedef void (*swap_fn)(void*, unsigned long);

void glXSwapBuffers(void* display, unsigned long drawable) {
  static swap_fn real;
  static int fd = -2;
  if (!real) real = (swap_fn)dlsym(RTLD_NEXT, "glXSwapBuffers");
  if (fd == -2) {
    const char* name = getenv("SWAPCOUNT_FILE");
    fd = name ? open(name, O_WRONLY | O_CREAT | O_APPEND, 0644) : -1;
  }
  if (real) real(display, drawable);
  if (fd >= 0 && write(fd, "swap\n", 5) < 0) fd = -1;
}
