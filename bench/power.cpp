// What the real program costs while it shows: processor time per second and frames presented
// per second, over windows of time counted from its first presented frame.
//   dravik_bench_power --pid PID --swaps FILE --match TEXT [--server PID] [--helpers VAR=VALUE]
//                      --window NAME FROM TO [--window NAME FROM TO]...
// PID is the program's process, already started. Every line of FILE that contains TEXT is one
// presented frame (the probe's lines on Linux, Wine's OpenGL trace). The X server's processor
// time (--server) and that of the other processes whose environment holds VAR=VALUE (--helpers:
// a Wine prefix's server and services) are measured apart. Prints for each window
// "power NAME <cpu s/s> <frames/s> <server cpu s/s> <helpers cpu s/s>", -1 for what is not
// measured. The program is left running.
#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

namespace {

double now() {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

void sleepUntil(double when) {
  for (double left; (left = when - now()) > 0;) usleep((useconds_t)(left * 1e6));
}

// utime + stime of a process (all its threads), in seconds; -1 when it is gone.
double cpuSeconds(pid_t pid) {
  char path[64], text[1024];
  snprintf(path, sizeof path, "/proc/%d/stat", (int)pid);
  FILE* f = fopen(path, "r");
  if (!f) return -1;
  size_t n = fread(text, 1, sizeof text - 1, f);
  fclose(f);
  text[n] = 0;
  const char* p = strrchr(text, ')');  // the name may hold blanks and brackets
  unsigned long long utime = 0, stime = 0;
  if (!p ||
      sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime) != 2)
    return -1;
  return (double)(utime + stime) / sysconf(_SC_CLK_TCK);
}

// The processes whose environment holds `entry` (VAR=VALUE), but `except`.
std::vector<pid_t> processesWith(const std::string& entry, pid_t except) {
  std::vector<pid_t> found;
  DIR* proc = opendir("/proc");
  while (dirent* d = proc ? readdir(proc) : nullptr) {
    pid_t pid = atoi(d->d_name);
    if (pid <= 0 || pid == except) continue;
    std::string path = std::string("/proc/") + d->d_name + "/environ", env;
    FILE* f = fopen(path.c_str(), "r");
    if (!f) continue;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;) env.append(buf, n);
    fclose(f);
    const std::string nul(1, '\0');
    if ((nul + env).find(nul + entry + nul) != std::string::npos) found.push_back(pid);
  }
  if (proc) closedir(proc);
  return found;
}

// Counts the lines holding a text as they are appended to a file.
class LineCounter {
 public:
  LineCounter(const char* path, const char* text) : path_(path), text_(text) {}
  long count() {
    if (!file_) file_ = fopen(path_, "r");
    char buf[65536];
    for (size_t n; file_ && (n = fread(buf, 1, sizeof buf, file_)) > 0;) {
      for (size_t i = 0; i < n; i++) {
        if (buf[i] != '\n') {
          line_ += buf[i];
          continue;
        }
        if (line_.find(text_) != std::string::npos) lines_++;
        line_.clear();
      }
    }
    if (file_) clearerr(file_);  // read on from here next time
    return lines_;
  }

 private:
  const char* path_;
  std::string text_, line_;
  FILE* file_ = nullptr;
  long lines_ = 0;
};

struct Reading {
  double time, cpu, server;
  long frames;
  std::map<pid_t, double> helpers;
};

struct Window {
  std::string name;
  double from, to;
};

}  // namespace

int main(int argc, char** argv) {
  pid_t pid = 0, server = 0;
  const char *swaps = nullptr, *match = nullptr;
  std::string helpers;
  std::vector<Window> windows;
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (a == "--window" && i + 3 < argc) {
      windows.push_back({argv[i + 1], atof(argv[i + 2]), atof(argv[i + 3])});
      i += 3;
      continue;
    }
    if (!value) a = "";
    if (a == "--pid")
      pid = atoi(value);
    else if (a == "--swaps")
      swaps = value;
    else if (a == "--match")
      match = value;
    else if (a == "--server")
      server = atoi(value);
    else if (a == "--helpers")
      helpers = value;
    else
      windows.clear(), i = argc;  // not understood: the usage
    i++;
  }
  if (pid <= 0 || !swaps || !match || windows.empty()) {
    fprintf(stderr,
            "usage: %s --pid PID --swaps FILE --match TEXT [--server PID] "
            "[--helpers VAR=VALUE] --window NAME FROM TO...\n",
            argv[0]);
    return 2;
  }

  LineCounter frames(swaps, match);
  double first = now(), deadline = first + 120;
  while (frames.count() == 0) {
    if (kill(pid, 0) != 0 || now() > deadline) {
      fprintf(stderr, "%s: process %d presented no frame\n", argv[0], (int)pid);
      return 1;
    }
    usleep(2000);
  }
  first = now();

  auto read = [&](double at) {
    sleepUntil(first + at);
    Reading r{now(), cpuSeconds(pid), server ? cpuSeconds(server) : -1, frames.count(), {}};
    if (!helpers.empty())
      for (pid_t h : processesWith(helpers, pid)) r.helpers[h] = cpuSeconds(h);
    return r;
  };
  for (const Window& w : windows) {
    Reading a = read(w.from), b = read(w.to);
    if (a.cpu < 0 || b.cpu < 0) {
      fprintf(stderr, "%s: process %d ended before %.1f s\n", argv[0], (int)pid, w.to);
      return 1;
    }
    // Helpers that came or went within the window are left out.
    double span = b.time - a.time, helperCpu = 0;
    for (auto& h : b.helpers)
      if (a.helpers.count(h.first) && a.helpers[h.first] >= 0 && h.second >= 0)
        helperCpu += h.second - a.helpers[h.first];
    printf("power %s %.4f %.2f %.4f %.4f\n", w.name.c_str(), (b.cpu - a.cpu) / span,
           (b.frames - a.frames) / span, server ? (b.server - a.server) / span : -1,
           helpers.empty() ? -1 : helperCpu / span);
    fflush(stdout);
  }
  return 0;
}
