// Frame cost of each phase of the show against a clear-and-swap baseline, in the program's own
// full-screen window, with real OpenGL. Cases take turns round after round, so a drift of the
// machine touches them all alike; each frame ends with glFinish so that its drawing is done
// before the next begins, in the baseline as in the phases.
//   dravik_bench_frames [--frames N] [--rounds R]
// Prints the renderer, then one line per case and round: "frame <case> <wall> <cpu>", the wall
// time and the processor time of all the process's threads (the renderer's among them), both in
// milliseconds per frame. The processor time depends less on what else the machine runs.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "bench/show.h"
#include "host/glwindow.h"
#include "host/startup.h"
#include "platform/system.h"
#include "scene/animation_state.h"

static double seconds(clockid_t clock) {
  struct timespec t;
  clock_gettime(clock, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

static void present() {
  SwapBuffers(hDC);
  glFinish();
}

int main(int argc, char** argv) {
  int frames = 120, rounds = 5;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (strcmp(argv[i], "--frames") == 0) frames = atoi(argv[i + 1]);
    if (strcmp(argv[i], "--rounds") == 0) rounds = atoi(argv[i + 1]);
  }
  if (frames < 1 || rounds < 1) {
    fprintf(stderr, "usage: %s [--frames N] [--rounds R]\n", argv[0]);
    return 2;
  }

  initsterrenveld();
  enterExecutableFolder();  // Data/ beside the executable
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  if (!CreateGLWindow("Dravik Screensaver", width, height, 24, true)) {
    fprintf(stderr, "no OpenGL window (is DISPLAY set?)\n");
    return 1;
  }
  rememberStartState();
  printf("renderer %s; OpenGL %s\n", (const char*)glGetString(GL_RENDERER),
         (const char*)glGetString(GL_VERSION));
  printf("display %dx%d\n", width, height);
  fflush(stdout);

  for (int round = 0; round < rounds; round++) {
    for (int c = 0; c < CASE_COUNT; c++) {
      beginCase(c);
      drawCaseFrame(c, 0);  // a first frame to settle caches, not counted
      present();
      double t0 = seconds(CLOCK_MONOTONIC), cpu0 = seconds(CLOCK_PROCESS_CPUTIME_ID);
      for (int f = 1; f <= frames; f++) {
        drawCaseFrame(c, f);
        present();
      }
      double cpu = seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
      printf("frame %s %.3f %.3f\n", caseName(c), (seconds(CLOCK_MONOTONIC) - t0) * 1000.0 / frames,
             cpu * 1000.0 / frames);
      fflush(stdout);
    }
  }
  KillGLWindow();
  return 0;
}
