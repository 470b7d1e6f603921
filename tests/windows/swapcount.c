/* Preloaded into the Linux program: writes one line per presented frame (glXSwapBuffers) to
   the file named by SWAPCOUNT_FILE, so the first frame can be seen from outside, the way Wine's
   OpenGL trace shows it for the Windows build. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>

void glXSwapBuffers(void* display, unsigned long drawable) {
  static void (*real)(void*, unsigned long);
  static FILE* out;
  if (!real) real = (void (*)(void*, unsigned long))dlsym(RTLD_NEXT, "glXSwapBuffers");
  if (!out && getenv("SWAPCOUNT_FILE")) out = fopen(getenv("SWAPCOUNT_FILE"), "a");
  real(display, drawable);
  if (out) fputs("swap\n", out), fflush(out);
}
