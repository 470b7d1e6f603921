// The real program with every presented frame counted: SwapBuffers is wrapped at link time.
// Prints the time from process start to the first presented frame and the frame rate over
// DRAVIK_FRAMERATE_SECONDS (default 5), then stops itself with SIGTERM like a user would.
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include "platform/linux/signals.h"
#include "platform/system.h"

extern "C" BOOL __real__Z11SwapBuffersP5HDC__(HDC hdc);

namespace {

double clockSeconds(clockid_t id) {
  struct timespec t;
  clock_gettime(id, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

// Seconds since boot at which this process started (/proc/self/stat, field 22).
double processStart() {
  FILE* f = fopen("/proc/self/stat", "r");
  if (!f) return 0;
  char buffer[1024];
  size_t n = fread(buffer, 1, sizeof buffer - 1, f);
  fclose(f);
  buffer[n] = 0;
  std::string stat(buffer);
  size_t at = stat.rfind(')') + 2;  // past the command name
  for (int field = 3; field < 22; ++field) at = stat.find(' ', at) + 1;
  return strtoull(stat.c_str() + at, nullptr, 10) / (double)sysconf(_SC_CLK_TCK);
}

long frames;
double firstFrame, lastFrame, startedAt;
double seconds = 5;

}  // namespace

extern "C" BOOL __wrap__Z11SwapBuffersP5HDC__(HDC hdc) {
  BOOL result = __real__Z11SwapBuffersP5HDC__(hdc);
  double now = clockSeconds(CLOCK_BOOTTIME);
  if (frames++ == 0) firstFrame = now;
  lastFrame = now;
  if (now - firstFrame >= seconds) raise(SIGTERM);
  return result;
}

int main() {
  startedAt = clockSeconds(CLOCK_BOOTTIME);
  if (const char* s = getenv("DRAVIK_FRAMERATE_SECONDS")) seconds = atof(s);
  installStopSignals();
  char cmdLine[] = "";
  int code = WinMain(GetModuleHandleA(NULL), NULL, cmdLine, SW_SHOW);
  if (frames == 0) {
    printf("no frame was presented (exit code %d)\n", code);
    return 1;
  }
  double start = processStart();
  printf("first frame: %.0f ms after process start (%.0f ms after main)\n",
         (firstFrame - start) * 1000, (firstFrame - startedAt) * 1000);
  if (frames > 1)
    printf("frames: %ld in %.2f s = %.1f frames/s\n", frames - 1, lastFrame - firstFrame,
           (frames - 1) / (lastFrame - firstFrame));
  return 0;
}
