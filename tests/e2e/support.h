// What the end-to-end tests share: child processes with their own environment and captured
// output, the shell (xdotool, xwininfo), files, and bounded waits.
#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace e2e {

// A child process with stdin from a pipe and stdout/stderr captured in files.
class Process {
 public:
  bool start(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             const std::string& outputPrefix);
  // The exit code (128 + the signal if one ended it), or -1 when it has not ended within the
  // time (it is then killed).
  int waitExit(double seconds);
  bool running();
  void signal(int sig);
  std::string out() const;
  std::string err() const;
  ~Process();

 private:
  pid_t pid_ = -1;
  int status_ = -1;
  std::string outPath_, errPath_;
};

// A shell command's stdout; its exit status goes to *status when given.
std::string shell(const std::string& command, int* status = nullptr);
// xdotool with the arguments, bounded in time; its stdout.
std::string xdotool(const std::string& args);
// The first id xdotool finds for a visible window of this exact title, within 10 s; "" if none.
std::string findWindow(const std::string& title);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
std::string makeTempDir();
double now();
void sleepSeconds(double seconds);
// Polls every 20 ms until the condition holds; false when it has not within the time.
bool waitFor(double seconds, const std::function<bool()>& condition);

}  // namespace e2e
