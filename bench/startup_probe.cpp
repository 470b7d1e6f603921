// Preloaded into the real program by dravik_bench_startup: timestamps the current GL context (GLX
// or EGL), the opening of the pictures, their uploads and the first presented frame against the
// launch time the launcher passes in DRAVIK_PROBE_T0 (monotonic nanoseconds), and reads the peak
// resident memory at the first frame (start-up and loading) and after DRAVIK_PROBE_SECONDS of
// running. Then it stops the program with SIGTERM, as a user's signal would, and writes its
// findings to DRAVIK_PROBE_OUT. Without DRAVIK_PROBE_SECONDS the program runs on. With
// DRAVIK_PROBE_SWAPS, every presented frame appends a line "swap" to that file (how
// scripts/bench.sh counts the frames of its power runs), through EGL followed by the size in
// pixels of the surface it went to ("swap 1024 768").
#include <dlfcn.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

namespace {

double nowMs() {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// A "Name: 1234 kB" field of /proc/self/status, in kB; -1 if absent.
long statusKb(const char* name) {
  FILE* (*realFopen)(const char*, const char*) =
      (FILE * (*)(const char*, const char*)) dlsym(RTLD_NEXT, "fopen");
  FILE* f = realFopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long kb = -1;
  size_t n = strlen(name);
  while (fgets(line, sizeof line, f))
    if (strncmp(line, name, n) == 0 && line[n] == ':') kb = atol(line + n + 1);
  fclose(f);
  return kb;
}

struct Findings {
  double launch = -1;  // ms, monotonic
  double contextReady = -1, firstOpen = -1, lastUpload = -1, firstFrame = -1, lastFrame = -1;
  double uploading = 0;  // ms inside glTexImage2D
  int opens = 0, uploads = 0;
  long frames = 0;
  long peakLoadingKb = -1, rssFirstFrameKb = -1, peakRunningKb = -1;
  double runSeconds = -1;  // never stop
  bool done = false;
  FILE* swaps = nullptr;
} found;

__attribute__((constructor)) void startProbe() {
  if (const char* t0 = getenv("DRAVIK_PROBE_T0")) found.launch = atof(t0) / 1e6;
  if (const char* s = getenv("DRAVIK_PROBE_SECONDS")) found.runSeconds = atof(s);
  FILE* (*realFopen)(const char*, const char*) =
      (FILE * (*)(const char*, const char*)) dlsym(RTLD_NEXT, "fopen");
  if (const char* path = getenv("DRAVIK_PROBE_SWAPS")) found.swaps = realFopen(path, "a");
}

void writeFindings() {
  const char* path = getenv("DRAVIK_PROBE_OUT");
  FILE* (*realFopen)(const char*, const char*) =
      (FILE * (*)(const char*, const char*)) dlsym(RTLD_NEXT, "fopen");
  FILE* out = path ? realFopen(path, "w") : nullptr;
  if (!out) return;
  fprintf(out, "first_frame_ms %.2f\n", found.firstFrame - found.launch);
  fprintf(out, "context_ms %.2f\n", found.contextReady - found.launch);
  fprintf(out, "loading_ms %.2f\n", found.lastUpload - found.firstOpen);
  fprintf(out, "uploading_ms %.2f\n", found.uploading);
  fprintf(out, "first_draw_ms %.2f\n", found.firstFrame - found.lastUpload);
  fprintf(out, "picture_opens %d\n", found.opens);
  fprintf(out, "uploads %d\n", found.uploads);
  fprintf(out, "peak_loading_kb %ld\n", found.peakLoadingKb);
  fprintf(out, "rss_first_frame_kb %ld\n", found.rssFirstFrameKb);
  fprintf(out, "peak_running_kb %ld\n", found.peakRunningKb);
  if (found.frames > 1)
    fprintf(out, "running_fps %.2f\n",
            (found.frames - 1) * 1000.0 / (found.lastFrame - found.firstFrame));
  fclose(out);
}

}  // namespace

extern "C" FILE* fopen(const char* path, const char* mode) {
  static FILE* (*real)(const char*, const char*) =
      (FILE * (*)(const char*, const char*)) dlsym(RTLD_NEXT, "fopen");
  if (path && strncmp(path, "Data/", 5) == 0) {
    if (found.opens++ == 0) found.firstOpen = nowMs();
  }
  return real(path, mode);
}

extern "C" void glTexImage2D(unsigned target, int level, int internalFormat, int width, int height,
                             int border, unsigned format, unsigned type, const void* pixels) {
  typedef void (*Upload)(unsigned, int, int, int, int, int, unsigned, unsigned, const void*);
  static Upload real = (Upload)dlsym(RTLD_NEXT, "glTexImage2D");
  double before = nowMs();
  real(target, level, internalFormat, width, height, border, format, type, pixels);
  found.uploads++;
  found.lastUpload = nowMs();
  found.uploading += found.lastUpload - before;
}

namespace {

void contextMade(bool made) {
  if (found.contextReady < 0 && made) found.contextReady = nowMs();
}

// One frame presented, through GLX or EGL (with its surface's size).
void presented(int width = -1, int height = -1) {
  if (found.swaps) {
    if (width < 0)
      fputs("swap\n", found.swaps);
    else
      fprintf(found.swaps, "swap %d %d\n", width, height);
    fflush(found.swaps);
  }
  double now = nowMs();
  if (found.frames++ == 0) {
    found.firstFrame = now;
    found.peakLoadingKb = statusKb("VmHWM");
    found.rssFirstFrameKb = statusKb("VmRSS");
    // From here on the peak counts the running show only.
    FILE* (*realFopen)(const char*, const char*) =
        (FILE * (*)(const char*, const char*)) dlsym(RTLD_NEXT, "fopen");
    if (FILE* f = realFopen("/proc/self/clear_refs", "w")) {
      fputs("5", f);
      fclose(f);
    }
  }
  found.lastFrame = now;
  if (!found.done && found.runSeconds >= 0 && now - found.firstFrame >= found.runSeconds * 1000.0) {
    found.done = true;
    found.peakRunningKb = statusKb("VmHWM");
    writeFindings();
    kill(getpid(), SIGTERM);
  }
}

}  // namespace

extern "C" int glXMakeCurrent(void* display, unsigned long drawable, void* context) {
  typedef int (*MakeCurrent)(void*, unsigned long, void*);
  static MakeCurrent real = (MakeCurrent)dlsym(RTLD_NEXT, "glXMakeCurrent");
  int result = real(display, drawable, context);
  contextMade(context != nullptr);
  return result;
}

extern "C" void glXSwapBuffers(void* display, unsigned long drawable) {
  typedef void (*Swap)(void*, unsigned long);
  static Swap real = (Swap)dlsym(RTLD_NEXT, "glXSwapBuffers");
  real(display, drawable);
  presented();
}

// The same on Wayland, through EGL.
extern "C" unsigned eglMakeCurrent(void* display, void* draw, void* read, void* context) {
  typedef unsigned (*MakeCurrent)(void*, void*, void*, void*);
  static MakeCurrent real = (MakeCurrent)dlsym(RTLD_NEXT, "eglMakeCurrent");
  unsigned result = real(display, draw, read, context);
  contextMade(context != nullptr);
  return result;
}

extern "C" unsigned eglSwapBuffers(void* display, void* surface) {
  typedef unsigned (*Swap)(void*, void*);
  static Swap real = (Swap)dlsym(RTLD_NEXT, "eglSwapBuffers");
  typedef unsigned (*Query)(void*, void*, int, int*);
  static Query query = (Query)dlsym(RTLD_NEXT, "eglQuerySurface");
  const int EGL_WIDTH = 0x3057, EGL_HEIGHT = 0x3056;
  int width = 0, height = 0;
  query(display, surface, EGL_WIDTH, &width);
  query(display, surface, EGL_HEIGHT, &height);
  unsigned result = real(display, surface);
  presented(width, height);
  return result;
}
