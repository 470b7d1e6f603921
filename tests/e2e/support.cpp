// Starting the programs under test and looking at them, with bounded waits throughout.
#include "tests/e2e/support.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace e2e {

double now() {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

void sleepSeconds(double seconds) {
  struct timespec t = {(time_t)seconds, (long)((seconds - (time_t)seconds) * 1e9)};
  nanosleep(&t, nullptr);
}

bool waitFor(double seconds, const std::function<bool()>& condition) {
  for (double end = now() + seconds; !condition(); sleepSeconds(0.02))
    if (now() > end) return false;
  return true;
}

// An empty value in env removes the variable.
bool Process::start(const std::vector<std::string>& argv,
                    const std::map<std::string, std::string>& env, const std::string& prefix) {
  outPath_ = prefix + ".out";
  errPath_ = prefix + ".err";
  pid_ = fork();
  if (pid_ == 0) {
    setpgid(0, 0);  // its own group: a stray key the test sends to a terminal never reaches it
    int in = open("/dev/null", O_RDONLY);
    int out = open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    for (auto& e : env) {
      if (e.second.empty())
        unsetenv(e.first.c_str());
      else
        setenv(e.first.c_str(), e.second.c_str(), 1);
    }
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  return pid_ > 0;
}

bool Process::running() {
  if (pid_ <= 0) return false;
  if (waitpid(pid_, &status_, WNOHANG) != pid_) return true;
  pid_ = -1;
  return false;
}

int Process::waitExit(double seconds) {
  waitFor(seconds, [this] { return !running(); });
  if (running()) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
    return -1;
  }
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : 128 + WTERMSIG(status_);
}

void Process::signal(int sig) {
  if (pid_ > 0) kill(pid_, sig);
}

std::string Process::out() const { return readFile(outPath_); }
std::string Process::err() const { return readFile(errPath_); }

Process::~Process() {
  if (running()) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

std::string shell(const std::string& command, int* status) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  int result = pclose(pipe);
  if (status) *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
  return output;
}

std::string xdotool(const std::string& args) {
  return shell("timeout 10 xdotool " + args + " 2>/dev/null");
}

std::string findWindow(const std::string& title) {
  std::string id = xdotool("search --sync --onlyvisible --name '^" + title + "$'");
  return id.substr(0, id.find('\n'));
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string makeTempDir() {
  char pattern[] = "/tmp/dravik-e2e-XXXXXX";
  const char* dir = mkdtemp(pattern);
  return dir ? dir : "";
}

}  // namespace e2e
