// Running real programs on a private virtual display: Xvfb, child processes with their
// own environment, and xdotool/xwininfo through the shell.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace e2e {

// An Xvfb server on a display number it picks itself; ready once start() returns true.
class VirtualDisplay {
 public:
  bool start(int width, int height, int depth);
  void stop();
  ~VirtualDisplay() { stop(); }
  const std::string& name() const { return name_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
};

// A child process with stdin from a pipe and stdout/stderr captured in files.
class Process {
 public:
  bool start(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             const std::string& outputPrefix);
  // The exit code, or -1 when it has not ended within the time (it is then killed).
  int waitExit(double seconds);
  bool running();
  void signal(int sig);
  void closeInput();
  std::string out() const;
  std::string err() const;
  ~Process();

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  int status_ = -1;
  std::string outPath_, errPath_;
};

// A shell command's stdout; its exit status goes to *status when given.
std::string shell(const std::string& command, int* status = nullptr);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
std::string makeTempDir();
void sleepSeconds(double seconds);
double now();

}  // namespace e2e
