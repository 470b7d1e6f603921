// Start-up, loading and memory of the real program, seen through a preloaded probe: launches
// dravik with the probe, lets it run for a while, and prints what the probe found.
//   dravik_bench_startup DRAVIK PROBE [SECONDS]
// Prints "startup <key> <value>" lines; exits non-zero if the program did not end cleanly.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <string>

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: %s DRAVIK PROBE [SECONDS]\n", argv[0]);
    return 2;
  }
  const char* seconds = argc > 3 ? argv[3] : "3";
  char out[] = "/tmp/dravik-probe-XXXXXX";
  int fd = mkstemp(out);
  if (fd < 0) return 1;
  close(fd);

  pid_t pid = fork();
  if (pid == 0) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    std::string t0 = std::to_string((long long)t.tv_sec * 1000000000LL + t.tv_nsec);
    setenv("DRAVIK_PROBE_T0", t0.c_str(), 1);
    setenv("DRAVIK_PROBE_OUT", out, 1);
    setenv("DRAVIK_PROBE_SECONDS", seconds, 1);
    setenv("LD_PRELOAD", argv[2], 1);
    execl(argv[1], argv[1], (char*)nullptr);
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);

  FILE* f = fopen(out, "r");
  char line[256];
  int lines = 0;
  while (f && fgets(line, sizeof line, f)) {
    printf("startup %s", line);
    lines++;
  }
  if (f) fclose(f);
  unlink(out);
  bool clean = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!clean || lines == 0) {
    fprintf(stderr, "dravik ended with status %d and %d findings\n", status, lines);
    return 1;
  }
  return 0;
}
