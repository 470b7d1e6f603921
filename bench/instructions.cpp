// The program's own work, without OpenGL: each case's frames, or the loading of the pictures,
// over an OpenGL that only records the calls. Run under callgrind with collection only inside
// DrawGLScene (or LoadGLTextures) and off inside the gl* calls, the instruction count is the
// program's own (its C and maths libraries included).
//   dravik_bench_instructions [--case NAME] [--frames N] | --load
// Prints "calls <case> <OpenGL calls per frame>" for the case, or for every case; with --load
// "calls load <OpenGL calls>" after loading the pictures from Data/ beside the executable.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "bench/show.h"
#include "host/startup.h"
#include "image/textureset.h"
#include "scene/animation_state.h"
#include "tests/double/gl_recorder.h"

int main(int argc, char** argv) {
  int frames = 100, only = -1;
  if (argc == 2 && strcmp(argv[1], "--load") == 0) {
    enterExecutableFolder();
    LoadGLTextures();
    printf("calls load %zu\n", fake::glCalls().size());
    return 0;
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    if (strcmp(argv[i], "--frames") == 0) frames = atoi(argv[i + 1]);
    if (strcmp(argv[i], "--case") == 0 && (only = caseByName(argv[i + 1])) < 0) frames = 0;
  }
  if (frames < 1) {
    fprintf(stderr, "usage: %s [--case baseline|desktop|logo|stars] [--frames N] | --load\n",
            argv[0]);
    return 2;
  }

  initsterrenveld();
  rememberStartState();
  for (int c = 0; c < CASE_COUNT; c++) {
    if (only >= 0 && c != only) continue;
    beginCase(c);
    size_t calls = 0;
    for (int f = 0; f < frames; f++) {
      fake::resetGl();
      drawCaseFrame(c, f);
      calls += fake::glCalls().size();
    }
    printf("calls %s %.1f\n", caseName(c), (double)calls / frames);
  }
  return 0;
}
